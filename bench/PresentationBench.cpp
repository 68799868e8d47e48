// Presenting the 300x200 canvas in the 900x600 window, against the least it can cost: one scaled draw of the
// canvas and the buffer swap. Needs a display (run under xvfb-run where there is none).
#include "app/Settings.hpp"
#include "render/presentCanvas.hpp"

#include <SFML/Graphics.hpp>

#include <benchmark/benchmark.h>

namespace
{

struct Stage
{
    sf::RenderWindow window{sf::VideoMode(WINDOW_WIDTH, WINDOW_HEIGHT), "bench", sf::Style::Close};
    sf::RenderTexture picture;

    Stage()
    {
        window.setVerticalSyncEnabled(false);
        picture.create(CANVAS_WIDTH, CANVAS_HEIGHT);
        sf::CircleShape shape(60.f);
        shape.setFillColor(sf::Color(200, 120, 40));
        picture.clear(sf::Color(20, 40, 60));
        picture.draw(shape);
    }
};

Stage& stage()
{
    static Stage instance;
    return instance;
}

// The finished canvas as a sprite three times its size.
sf::Sprite enlargedCanvas(Stage& s)
{
    s.picture.display();
    sf::Sprite sprite(s.picture.getTexture());
    sprite.setScale(3.f, 3.f);
    return sprite;
}

void benchPresentCanvas(benchmark::State& state)
{
    Stage& s = stage();
    for (auto _ : state)
        presentCanvas(s.window, s.picture);
}

void benchSingleScaledDraw(benchmark::State& state)
{
    Stage& s = stage();
    for (auto _ : state)
    {
        s.window.draw(enlargedCanvas(s));
        s.window.display();
    }
}

// The first way the game showed its canvas: a new 900x600 target every frame, drawn into and then drawn again.
void benchIntermediateTargetEachFrame(benchmark::State& state)
{
    Stage& s = stage();
    for (auto _ : state)
    {
        sf::RenderTexture intermediate;
        intermediate.create(WINDOW_WIDTH, WINDOW_HEIGHT);
        intermediate.draw(enlargedCanvas(s));
        intermediate.setSmooth(true);
        sf::Sprite b(intermediate.getTexture());
        b.setOrigin(0.f, static_cast<float>(WINDOW_HEIGHT));
        b.setScale(1.f, -1.f);
        s.window.draw(b);
        s.window.display();
    }
}

} // namespace

BENCHMARK(benchSingleScaledDraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(benchPresentCanvas)->Unit(benchmark::kMicrosecond);
BENCHMARK(benchIntermediateTargetEachFrame)->Unit(benchmark::kMicrosecond);
