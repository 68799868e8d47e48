#include "app/Screen.hpp"

#include "app/Settings.hpp"
#include "input/Bindings.hpp"
#include "render/presentCanvas.hpp"

#include <utility>

Screen::Screen(kit::ActionMap::KeyState isKeyDown)
    : actions(std::move(isKeyDown))
{
    canvas().create(CANVAS_WIDTH, CANVAS_HEIGHT);
    bindCloseAction(actions);
}

void Screen::present(sf::RenderWindow& window)
{
    canvas().clear(sf::Color(0, 0, 0, 255));
    drawList.draw(canvas());

    drawFlicker(canvas());

    presentCanvas(window, canvas());
}
