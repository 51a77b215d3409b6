#include "frontend/title_logo.h"

#include <array>

namespace coilrun {
namespace {

// How far the logo moves on in one menu frame.
constexpr float kStep = 0.01f;

// One stroke of a chain: the corner ball shown as it begins, and the bar that
// grows from `start` along its axis in `sign`'s direction until it is `limit` long.
struct Stroke {
    int ball;
    int bar;
    int axis; // 0 = X, 1 = Y
    float start;
    float sign;
    float limit;
};

struct Chain {
    int head;     // ball00<head>
    int waitsFor; // the head ball that must be full size first (0: none)
    std::array<Stroke, 5> strokes;
    int count;
};

// The five short snakes that draw the title, stroke by stroke.
constexpr std::array<Chain, 5> kChains{{
    {1,
     0,
     {{{18, 1, 0, 16, +1, 3},
       {19, 2, 1, 6, -1, 3},
       {20, 3, 0, 19, -1, 3},
       {21, 4, 1, 3, -1, 3},
       {22, 5, 0, 16, +1, 3}}},
     5},
    {2, 1, {{{15, 6, 1, 0, +1, 3}, {16, 7, 0, 12, +1, 2}, {17, 8, 1, 3, -1, 3}}}, 3},
    {3,
     2,
     {{{10, 9, 0, 10, -1, 2},
       {11, 10, 1, 4, -1, 4},
       {12, 11, 0, 8, +1, 2},
       {13, 12, 1, 0, +1, 2},
       {14, 13, 0, 10, -1, 2}}},
     5},
    {4,
     1,
     {{{6, 14, 0, 4, +1, 1}, {7, 15, 1, 3, -1, 3}, {8, 16, 0, 5, +1, 1}, {9, 17, 1, 0, +1, 5}}},
     4},
    {5,
     4,
     {{{3, 18, 0, 0, +1, 2},
       {5, 19, 1, 0, +1, 4},
       {4, 20, 0, 2, -1, 2},
       {1, 21, 1, 4, -1, 2},
       {2, 22, 0, 0, +1, 2}}},
     5},
}};

bool fullSize(const engine::TGLSphere& ball) {
    return ball.scale().x() >= 1;
}

void grow(engine::TGLBaseSceneObject& o, float by) {
    const auto& s = o.scale();
    o.setScale({s.x() + by, s.y() + by, s.z() + by});
}

void drawChain(const SceneLinks& l, const Chain& chain) {
    engine::TGLSphere& head = *l.logoHead[chain.head];
    if (chain.waitsFor != 0 && !fullSize(*l.logoHead[chain.waitsFor])) return;
    if (!fullSize(head)) {
        grow(head, kStep / 2);
        return;
    }
    for (int i = 0; i < chain.count; ++i) {
        const Stroke& stroke = chain.strokes[std::size_t(i)];
        engine::TGLCylinder& bar = *l.logoBar[stroke.bar];
        const bool last = i == chain.count - 1;
        const float length = bar.scale().y();
        // A stroke is done once its bar is longer than its limit; the last one stops at it.
        if (length > stroke.limit || (last && length >= stroke.limit)) continue;
        l.logoBall[stroke.ball]->setVisible(true);
        float grown = length + kStep;
        if (last && grown > stroke.limit) grown = stroke.limit;
        bar.scale().setY(grown);
        const float centre = stroke.start + stroke.sign * grown / 2;
        bar.position().setComponent(stroke.axis, centre);
        head.position().setComponent(stroke.axis, centre + stroke.sign * grown / 2);
        return;
    }
}

} // namespace

void logoStep(Game& game) {
    const SceneLinks& l = game.links;
    l.DummyLogo->setVisible(true);
    for (int i = 1; i <= 22; ++i)
        l.logoBar[i]->setVisible(l.logoBar[i]->scale().y() != 0);

    engine::TGLIcosahedron& speck = *l.logospeck;
    speck.turn(0.25f);
    if (speck.scale().x() < 0.6f) grow(speck, kStep / 2);

    // The speck hops ahead of the drawing and the label counts the dimensions.
    const auto& b2 = l.logoHead[2]->position();
    const auto& b4 = l.logoHead[4]->position();
    const auto& b1 = l.logoHead[1]->position();
    if (b2.y() < 0.1f && b2.x() > 13.9f) {
        speck.position().setX(6);
        speck.position().setY(5);
        l.SpaceText3D->setText("1D");
        if (b4.y() > 4.9f) {
            speck.position().setX(19);
            speck.position().setY(0);
            l.SpaceText3D->setText("2D");
            if (b1.y() < 0.1f && b1.x() > 18.9f) {
                speck.position().setX(4);
                speck.position().setY(0);
                l.SpaceText3D->setText("3D");
            }
        }
    }

    l.Dummy3D->direction().setY(speck.direction().x() / 6);
    l.DummyLogo->direction().setY(speck.direction().x() / 12);
    if (l.Dummy3D->scale().x() < 1 && fullSize(*l.logoHead[1])) grow(*l.Dummy3D, kStep / 8);

    for (const Chain& chain : kChains)
        drawChain(l, chain);
}

} // namespace coilrun
