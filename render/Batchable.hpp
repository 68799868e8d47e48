#pragma once

class VertexBatch;

// A drawable whose picture can share a draw call with its neighbours in the draw list. It appends, as triangles in
// the target's coordinates, what its own draw would draw with sf::RenderStates::Default, piece by piece with the
// texture and blend mode of each, so that the batched picture has the same pixels as the one drawn entry by entry.
class Batchable
{
public:
    virtual void appendTo(VertexBatch& batch) const = 0;

protected:
    // Drawables are never destroyed through this interface.
    ~Batchable() = default;
};
