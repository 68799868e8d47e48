#pragma once

#include <SFML/Config.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <cstddef>
#include <memory>
#include <vector>

// Reads a render texture's pictures back from the graphics driver without waiting on each: a read is started into
// a pixel buffer object and taken one read later, so that the driver draws and copies one picture while the caller
// plays and draws the next. Where the driver has no pixel buffer objects, a read is done at once into memory of
// our own and taken the same way, so the caller sees no difference but the speed.
//
//     CanvasReadback readback(canvas);
//     draw(); canvas.display(); readback.read();
//     while (more) { draw(); canvas.display(); readback.read(); use(readback.take()); }
//     use(readback.take());
class CanvasReadback
{
public:
    // How many reads may wait at once.
    static constexpr std::size_t Slots = 2;

    // For pictures of the canvas's size; without `usePixelBuffers`, every read is done at once. The canvas must
    // outlive this. Throws std::runtime_error when the canvas cannot be read back at all.
    explicit CanvasReadback(sf::RenderTexture& canvas, bool usePixelBuffers = true);
    ~CanvasReadback();
    CanvasReadback(const CanvasReadback&) = delete;
    CanvasReadback& operator=(const CanvasReadback&) = delete;

    // Starts reading the canvas as displayed last. Throws std::logic_error when Slots reads already wait.
    void read();
    // The oldest waiting read's picture: RGBA, top row first, as sf::Image holds it. It stays valid until the
    // next take(). Throws std::logic_error when no read waits, std::runtime_error when the driver fails.
    const sf::Uint8* take();

    std::size_t getWaiting() const { return waiting; }
    // Whether the reads go through pixel buffer objects, which lets them overlap the drawing.
    bool isAsynchronous() const;

private:
    struct Gl;

    sf::RenderTexture* canvas;
    std::size_t rowBytes;
    std::size_t rows;
    std::unique_ptr<Gl> gl;
    // The pixel buffer objects, or without them the reads done at once, bottom row first as OpenGL gives them.
    std::vector<unsigned> buffers;
    std::vector<std::vector<sf::Uint8>> copies;
    std::size_t oldest = 0;
    std::size_t waiting = 0;
    std::vector<sf::Uint8> picture;
};
