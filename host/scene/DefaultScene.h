#pragma once

namespace vlam::host {

class Host;

// The scene `vlam render` shows without a scene file: one 1920x1080, 24 fps,
// 48-frame composition with motion blur, holding a textured plate (made in
// code, so it does not depend on any file) with the whole module stack: two
// flash designs (one with petals, one throwing sparks), two guns left and
// right firing bursts in turn, a Relighter that lights the plate where and
// when they fire, and the Render effect with glow. Opens it in `host`;
// throws HostError when the module refuses.
void openDefaultScene(Host &host);

// The empty scene: the same composition and plate, no effects.
void openEmptyScene(Host &host);

} // namespace vlam::host
