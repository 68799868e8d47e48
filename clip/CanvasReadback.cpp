#include "clip/CanvasReadback.hpp"

#include <SFML/OpenGL.hpp>
#include <SFML/Window/Context.hpp>

#include <cstdio>
#include <cstring>
#include <stdexcept>

// The few OpenGL functions the reads need, looked up through SFML's context: the game links no OpenGL library of its
// own, and buffer objects are beyond OpenGL 1.1 anyway.
struct CanvasReadback::Gl
{
    template <typename Function>
    static Function find(const char* name)
    {
        return reinterpret_cast<Function>(sf::Context::getFunction(name));
    }

    // OpenGL 1.1's functions have no pointer types of their own in gl.h; their declarations give them.
    decltype(&glReadPixels) readPixels = find<decltype(&glReadPixels)>("glReadPixels");
    decltype(&glGetString) getString = find<decltype(&glGetString)>("glGetString");
    decltype(&glFlush) flush = find<decltype(&glFlush)>("glFlush");
    PFNGLGENBUFFERSPROC genBuffers = find<PFNGLGENBUFFERSPROC>("glGenBuffers");
    PFNGLDELETEBUFFERSPROC deleteBuffers = find<PFNGLDELETEBUFFERSPROC>("glDeleteBuffers");
    PFNGLBINDBUFFERPROC bindBuffer = find<PFNGLBINDBUFFERPROC>("glBindBuffer");
    PFNGLBUFFERDATAPROC bufferData = find<PFNGLBUFFERDATAPROC>("glBufferData");
    PFNGLMAPBUFFERPROC mapBuffer = find<PFNGLMAPBUFFERPROC>("glMapBuffer");
    PFNGLUNMAPBUFFERPROC unmapBuffer = find<PFNGLUNMAPBUFFERPROC>("glUnmapBuffer");

    // Pixel buffer objects are core from OpenGL 2.1, and an extension before.
    bool hasPixelBuffers() const
    {
        if (!genBuffers || !deleteBuffers || !bindBuffer || !bufferData || !mapBuffer || !unmapBuffer)
            return false;
        const auto* version = getString ? reinterpret_cast<const char*>(getString(GL_VERSION)) : nullptr;
        int major = 0;
        int minor = 0;
        if (version && std::sscanf(version, "%d.%d", &major, &minor) == 2 && (major > 2 || (major == 2 && minor >= 1)))
            return true;
        return sf::Context::isExtensionAvailable("GL_ARB_pixel_buffer_object");
    }
};

CanvasReadback::CanvasReadback(sf::RenderTexture& target, bool usePixelBuffers)
    : canvas(&target)
    , rowBytes(static_cast<std::size_t>(target.getSize().x) * 4)
    , rows(target.getSize().y)
    , picture(rowBytes * rows)
{
    if (!canvas->setActive(true))
        throw std::runtime_error("Cannot reach the canvas to read it back");
    gl = std::make_unique<Gl>();
    if (!gl->readPixels || !gl->flush)
        throw std::runtime_error("The OpenGL driver cannot read pictures back");
    if (usePixelBuffers && gl->hasPixelBuffers())
    {
        buffers.resize(Slots);
        gl->genBuffers(static_cast<GLsizei>(Slots), buffers.data());
        for (const GLuint buffer : buffers)
        {
            gl->bindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
            gl->bufferData(GL_PIXEL_PACK_BUFFER, static_cast<GLsizeiptr>(picture.size()), nullptr, GL_STREAM_READ);
        }
        gl->bindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    }
    else
    {
        copies.assign(Slots, std::vector<sf::Uint8>(picture.size()));
    }
}

CanvasReadback::~CanvasReadback()
{
    if (!buffers.empty() && canvas->setActive(true))
        gl->deleteBuffers(static_cast<GLsizei>(buffers.size()), buffers.data());
}

bool CanvasReadback::isAsynchronous() const
{
    return !buffers.empty();
}

void CanvasReadback::read()
{
    if (waiting == Slots)
        throw std::logic_error("Every canvas readback slot is waiting to be taken");
    if (!canvas->setActive(true))
        throw std::runtime_error("Cannot reach the canvas to read it back");
    const std::size_t slot = (oldest + waiting) % Slots;
    // Rows of RGBA are whole words, so OpenGL's default packing of rows on 4 bytes leaves no gaps.
    const auto width = static_cast<GLsizei>(rowBytes / 4);
    const auto height = static_cast<GLsizei>(rows);
    if (isAsynchronous())
    {
        gl->bindBuffer(GL_PIXEL_PACK_BUFFER, buffers[slot]);
        gl->readPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        gl->bindBuffer(GL_PIXEL_PACK_BUFFER, 0);
        // The copy is queued behind the drawing; sent off now, the driver works on both while the caller goes on.
        gl->flush();
    }
    else
    {
        gl->readPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, copies[slot].data());
    }
    ++waiting;
}

const sf::Uint8* CanvasReadback::take()
{
    if (waiting == 0)
        throw std::logic_error("No canvas readback is waiting to be taken");
    const std::size_t slot = oldest;
    oldest = (oldest + 1) % Slots;
    --waiting;

    const sf::Uint8* bottomUp = nullptr;
    if (isAsynchronous())
    {
        if (!canvas->setActive(true))
            throw std::runtime_error("Cannot reach the canvas to read it back");
        gl->bindBuffer(GL_PIXEL_PACK_BUFFER, buffers[slot]);
        bottomUp = static_cast<const sf::Uint8*>(gl->mapBuffer(GL_PIXEL_PACK_BUFFER, GL_READ_ONLY));
        if (!bottomUp)
        {
            gl->bindBuffer(GL_PIXEL_PACK_BUFFER, 0);
            throw std::runtime_error("The OpenGL driver did not hand over the canvas's pixels");
        }
    }
    else
    {
        bottomUp = copies[slot].data();
    }
    // OpenGL counts rows from the bottom.
    for (std::size_t row = 0; row < rows; ++row)
        std::memcpy(&picture[row * rowBytes], bottomUp + (rows - 1 - row) * rowBytes, rowBytes);
    if (isAsynchronous())
    {
        gl->unmapBuffer(GL_PIXEL_PACK_BUFFER);
        gl->bindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    }
    return picture.data();
}
