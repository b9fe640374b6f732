#pragma once

namespace vlam::host {

class Host;

// The scene `vlam render` shows without a scene file: one 1920x1080, 24 fps,
// 48-frame composition holding a dark plate, with the Render effect applied
// to the plate as a user would (its setup brings the rest of the module
// stack at the next idle call). Opens it in `host`; throws HostError when the
// module refuses.
void openDefaultScene(Host &host);

// The empty scene: the same composition and plate, no effects.
void openEmptyScene(Host &host);

} // namespace vlam::host
