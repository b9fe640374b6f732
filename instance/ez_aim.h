// The EZ-Aim system: a muzzle position and an aim point on the layer turned
// into the two aim angles of an instance, and the way back from the angles to
// an aim point, used to keep the aim controls in step when the user edits them.
#pragma once

struct AimAngles {
  double sweep;  // aim angle A, radians: rotation about the layer's Y axis
  double tilt;   // aim angle B, radians: rotation about the local Z axis
};

struct AimPoint {
  double x;  // layer pixels
  double y;
  bool point_away;
};

// Aim angles for a muzzle at (muzzle_x, muzzle_y) aimed at (aim_x, aim_y).
// 300 pixels of horizontal offset swing the barrel fully sideways, 200
// pixels of (weighted) vertical offset tilt it a quarter turn. With
// point_away the barrel is turned to face away from the viewer.
AimAngles EzAimAngles(double muzzle_x, double muzzle_y, double aim_x, double aim_y,
                      bool point_away);

// The aim point and "Point Away" state that correspond to a sweep (degrees)
// and a tilt (radians) for a muzzle at (muzzle_x, muzzle_y).
AimPoint AimPointFromAngles(double sweep_degrees, double tilt_radians, double muzzle_x,
                            double muzzle_y);
