#pragma once
#include "host/image/Image.h"

#include <AE_Effect.h>
#include <AE_EffectCB.h>

namespace vlam::host {

class Host;

// Buffer operations shared by the utility callbacks and the suites that
// offer the same thing (PF World, PF Fill Matte, PF World Transform).
PF_Err copyWorlds(Host &host, PF_EffectWorld *src, PF_EffectWorld *dst, PF_Rect *srcRect, PF_Rect *dstRect);
PF_Err fillWorld(Host &host, const PixelF &color, const PF_Rect *rect, PF_EffectWorld *world);
PF_Err newWorld(Host &host, A_long width, A_long height, PixelDepth depth, PF_EffectWorld *world);
PF_Err disposeWorld(Host &host, PF_EffectWorld *world);
// Multiplies (forward) or divides colour by alpha in place.
PF_Err premultiplyWorld(Host &host, A_long forward, PF_EffectWorld *world);
// The same behind an effect callback: the call is counted under `name`, and
// the effect reference must be a live call's.
PF_Err copyCallback(const char *name, PF_ProgPtr ref, PF_EffectWorld *src, PF_EffectWorld *dst, PF_Rect *srcRect,
                    PF_Rect *dstRect);
PF_Err fillCallback(const char *name, PF_ProgPtr ref, const PixelF &color, const PF_Rect *rect, PF_EffectWorld *world);
PF_Err premultiplyCallback(const char *name, PF_ProgPtr ref, A_long forward, PF_EffectWorld *world);

// Compositing (utility callbacks and the PF World Transform suite); not
// offered yet: they answer PF_Err_INVALID_CALLBACK. transform_world is
// offered (TransformWorldCallback.cpp).
PF_Err compositeRectCallback(PF_ProgPtr, PF_Rect *, A_long, PF_EffectWorld *, A_long, A_long, PF_Field, PF_XferMode,
                             PF_EffectWorld *);
PF_Err blendCallback(PF_ProgPtr, const PF_EffectWorld *, const PF_EffectWorld *, PF_Fixed, PF_EffectWorld *);
PF_Err convolveCallback(PF_ProgPtr, PF_EffectWorld *, const PF_Rect *, PF_KernelFlags, A_long, void *, void *, void *, void *,
                        PF_EffectWorld *);
PF_Err transferRectCallback(PF_ProgPtr, PF_Quality, PF_ModeFlags, PF_Field, const PF_Rect *, const PF_EffectWorld *,
                            const PF_CompositeMode *, const PF_MaskWorld *, A_long, A_long, PF_EffectWorld *);
PF_Err transformWorldCallback(PF_ProgPtr, PF_Quality, PF_ModeFlags, PF_Field, const PF_EffectWorld *,
                              const PF_CompositeMode *, const PF_MaskWorld *, const PF_FloatMatrix *, A_long,
                              PF_Boolean, const PF_Rect *, PF_EffectWorld *);

PixelF pixelOf(const PF_Pixel *color);
PixelF pixelOf(const PF_Pixel16 *color);

// The handle operations (utility callbacks and the PF Handle suite).
PF_Handle newHandle(A_HandleSize size);
void *lockHandle(PF_Handle h);
void unlockHandle(PF_Handle h);
void disposeHandle(PF_Handle h);
A_HandleSize handleSize(PF_Handle h);
PF_Err resizeHandle(A_HandleSize size, PF_Handle *h);

} // namespace vlam::host
