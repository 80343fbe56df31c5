// The life of textures in the OpenGL back end: an image's pixels move into its texture when it is
// made, its death only marks the texture, and the next frame set-up deletes what was marked.
#include <GLES/gl.h>

#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/OpenGLBackEnd.h"
#include "runtime/lcdui/Texture2DOver3D.h"
#include "runtime/text/Vector.h"

namespace javax::microedition::lcdui {

void OpenGLBackEnd::imageCreated(Image& img) {
    if (img.graphics || !img.pixels) return;
    const int32_t width = img.getWidth(), height = img.getHeight();
    // The texture takes the image's pixels over: they stay the one copy in memory, which the
    // software writers draw into and the upload reads.
    auto texture = java::lang::jnew<Texture2DOver3D>(width, height, img.pixels);
    img.pixels = nullptr;
    texture->hasAlpha = img.hasTransparentPixels || img.hasTranslucentPixels;
    auto context = java::lang::jnew<Graphics>();
    context->WENDinvokeconstructor();
    context->backEnd = this;
    context->targetTexture = texture;
    context->setTarget(texture->pixels, width, height, width);
    context->setClip(0, 0, width, height);
    img.graphics = context;
    registerTexture(texture);
}

void OpenGLBackEnd::imageDestroyed(Image& img) {
    if (img.graphics && img.graphics->targetTexture)
        img.graphics->targetTexture->releasedByImage.store(true, std::memory_order_release);
}

void OpenGLBackEnd::registerTexture(const JavaPtr<Texture2DOver3D>& texture) {
    std::lock_guard guard(m_texturesLock);
    if (!m_allTheTextures) m_allTheTextures = java::lang::jnew<java::util::Vector>();
    m_allTheTextures->addElement(texture);
}

int32_t OpenGLBackEnd::liveTextureCount() {
    std::lock_guard guard(m_texturesLock);
    return m_allTheTextures ? m_allTheTextures->size() : 0;
}

Texture2DOver3D* OpenGLBackEnd::screenTextureOf(Image& img) {
    // An image made before the back end was installed gets its texture on first use.
    if (!img.graphics) imageCreated(img);
    if (!img.graphics) return nullptr;
    return img.graphics->targetTexture.get();
}

void OpenGLBackEnd::forgetUploads() {
    std::lock_guard guard(m_texturesLock);
    m_glyphAtlas = nullptr;
    if (!m_allTheTextures) return;
    java::util::Vector& list = *m_allTheTextures;
    for (int32_t slot = list.capacity() - 1; slot >= 0; --slot) {
        auto texture = java::lang::recastObj<Texture2DOver3D>(list.elementAt(slot));
        if (texture) texture->forgetUpload();
    }
}

void OpenGLBackEnd::sweepTextures() {
    std::lock_guard guard(m_texturesLock);
    if (!m_allTheTextures) return;
    java::util::Vector& list = *m_allTheTextures;
    for (int32_t slot = list.capacity() - 1; slot >= 0; --slot) {
        const JavaPtr<java::lang::Object> element = list.elementAt(slot);
        if (!element) continue;
        auto texture = java::lang::recastObj<Texture2DOver3D>(element);
        if (!texture || !texture->releasedByImage.load(std::memory_order_acquire)) continue;
        if (texture->name != -1) {
            const auto name = static_cast<GLuint>(texture->name);
            glDeleteTextures(1, &name);
            texture->name = -1;
        }
        list.removeElement(element);
    }
}

}  // namespace javax::microedition::lcdui
