#include "render/VertexBatch.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// The batch tells textures apart by their address alone, and never reads one. These two places stand in for
// textures, which could not be made here: even an empty sf::Texture asks for an OpenGL context.
alignas(sf::Texture) const unsigned char Textures[2][sizeof(sf::Texture)] = {};
const auto* const TextureA = reinterpret_cast<const sf::Texture*>(Textures[0]);
const auto* const TextureB = reinterpret_cast<const sf::Texture*>(Textures[1]);

struct Piece
{
    const sf::Texture* texture;
    sf::BlendMode blendMode;
    int triangles;
};

// Each run as its texture (A, B, or - for none; + after it for additive blending), its first vertex and its count.
std::string describe(const std::vector<VertexBatch::Run>& runs)
{
    std::string text;
    for (const VertexBatch::Run& run : runs)
    {
        std::string texture = run.texture == TextureA ? "A" : "B";
        if (run.texture == nullptr)
            texture = "-";
        text += (text.empty() ? "" : ", ") + texture + (run.blendMode == sf::BlendAdd ? "+ " : " ") +
                std::to_string(run.first) + " " + std::to_string(run.count);
    }
    return text;
}

} // namespace

TEST(VertexBatch, KeepsTheOrderOfItsPiecesAndBreaksARunWhereTheTextureOrBlendModeChanges)
{
    const sf::BlendMode alpha = sf::BlendAlpha;
    const struct
    {
        const char* name;
        std::vector<Piece> pieces;
        const char* runs;
    } cases[] = {
        {"one texture is one run", {{TextureA, alpha, 2}, {TextureA, alpha, 1}}, "A 0 9"},
        {"a new texture breaks the run, and the first one's return starts a run of its own",
         {{TextureA, alpha, 2}, {TextureB, alpha, 1}, {TextureA, alpha, 1}},
         "A 0 6, B 6 3, A 9 3"},
        {"untextured pieces are a texture of their own",
         {{nullptr, alpha, 1}, {TextureA, alpha, 1}, {nullptr, alpha, 2}},
         "- 0 3, A 3 3, - 6 6"},
        {"a new blend mode breaks the run", {{TextureA, alpha, 1}, {TextureA, sf::BlendAdd, 1}}, "A 0 3, A+ 3 3"},
        {"a piece that draws nothing breaks nothing",
         {{TextureA, alpha, 1}, {TextureB, alpha, 0}, {TextureA, alpha, 1}},
         "A 0 6"},
    };
    VertexBatch batch;
    for (const auto& c : cases)
    {
        batch.clear();
        float next = 0.f; // every vertex is numbered by its x, so the order of the vertices shows
        for (const Piece& piece : c.pieces)
        {
            batch.use(piece.texture, piece.blendMode);
            for (int i = 0; i < piece.triangles; ++i, next += 3.f)
                batch.addTriangle(sf::Vertex({next, 0.f}), sf::Vertex({next + 1.f, 0.f}),
                                  sf::Vertex({next + 2.f, 0.f}));
        }
        EXPECT_EQ(describe(batch.getRuns()), c.runs) << c.name;
        for (std::size_t i = 0; i < batch.getVertices().size(); ++i)
            EXPECT_EQ(batch.getVertices()[i].position.x, static_cast<float>(i)) << c.name;
    }
}

TEST(VertexBatch, LeavesOutOnlyTrianglesThatCannotChangeAPixel)
{
    struct Case
    {
        const char* name;
        sf::Vector2f a, b, c;
        sf::Uint8 alpha;
        bool kept;
    };
    const Case cases[] = {
        {"inside", {10.f, 10.f}, {20.f, 10.f}, {10.f, 20.f}, 255, true},
        {"across the left side", {-5.f, 10.f}, {5.f, 10.f}, {-5.f, 20.f}, 255, true},
        {"around the top left corner, beyond no one side", {-5.f, 50.f}, {50.f, -5.f}, {-5.f, -5.f}, 255, true},
        {"faint but not transparent", {10.f, 10.f}, {20.f, 10.f}, {10.f, 20.f}, 1, true},
        {"beyond the left side", {-5.f, 10.f}, {-0.5f, 10.f}, {-5.f, 20.f}, 255, false},
        {"beyond the right side", {300.5f, 10.f}, {310.f, 10.f}, {305.f, 20.f}, 255, false},
        {"beyond the top", {10.f, -9.f}, {20.f, -1.f}, {10.f, -0.5f}, 255, false},
        {"beyond the bottom", {10.f, 201.f}, {20.f, 250.f}, {10.f, 200.5f}, 255, false},
        {"transparent", {10.f, 10.f}, {20.f, 10.f}, {10.f, 20.f}, 0, false},
        {"all in one place", {10.f, 10.f}, {10.f, 10.f}, {10.f, 10.f}, 255, false},
    };
    VertexBatch batch;
    batch.setVisibleArea(sf::FloatRect(0.f, 0.f, 300.f, 200.f));
    for (const Case& c : cases)
    {
        batch.clear();
        const sf::Color colour(255, 255, 255, c.alpha);
        batch.addTriangle(sf::Vertex(c.a, colour), sf::Vertex(c.b, colour), sf::Vertex(c.c, colour));
        EXPECT_EQ(batch.getVertices().size(), c.kept ? 3u : 0u) << c.name;
    }
}
