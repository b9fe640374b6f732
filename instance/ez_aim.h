// The EZ-Aim system: a muzzle position and an aim point on the layer turned
// into the two aim angles of an instance, and the way back from the angles to
// an aim point, used to keep the aim controls in step when the user edits them.
#pragma once

namespace vlam {

struct AimAngles {
  double sweep;  // aim angle A, radians: rotation about the layer's Y axis
  double tilt;   // aim angle B, radians: rotation about the local Z axis
};

struct AimPoint {
  double x;  // layer pixels
  double y;
  bool pointAway;
};

// Aim angles for a muzzle at (muzzleX, muzzleY) aimed at (aimX, aimY).
// 300 pixels of horizontal offset swing the barrel fully sideways, 200
// pixels of (weighted) vertical offset tilt it a quarter turn. With
// pointAway the barrel is turned to face away from the viewer.
AimAngles EzAimAngles(double muzzleX, double muzzleY, double aimX, double aimY, bool pointAway);

// The aim point and "Point Away" state that correspond to a sweep (degrees)
// and a tilt (radians) for a muzzle at (muzzleX, muzzleY).
AimPoint AimPointFromAngles(double sweepDegrees, double tiltRadians, double muzzleX,
                            double muzzleY);

}  // namespace vlam
