#pragma once

#include "render/Batchable.hpp"
#include "render/VertexBatch.hpp"

// One of SFML's shapes that the draw list can batch with its neighbours; otherwise the shape itself.
template <class Shape>
class BatchableShape : public Shape, public Batchable
{
public:
    using Shape::Shape;

    void appendTo(VertexBatch& batch) const override { appendShape(batch, *this); }
};
