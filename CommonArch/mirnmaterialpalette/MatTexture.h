// The interface of a texture object, as far as the palette's registration
// needs it. The full interface grows with the texture classes.
#pragma once

class VMatTexture
{
public:
    VMatTexture() = default;
    // The palette deletes registered textures through this.
    virtual ~VMatTexture() = default;
    VMatTexture(const VMatTexture&) = default;
    VMatTexture& operator=(const VMatTexture&) = default;
};
