// SPDX-License-Identifier: GPL-3.0-or-later
// Lines, circles, arcs and texts of the drawing output layer.
#include "draft/draft.h"

#include <cmath>
#include <string>

#include "model/element.h"
#include "model/helpers.h"
#include "session/session.h"
#include "session/show_notice.h"

namespace draft {

int Drafter::addToCurrent(int kindCode, double x1, double y1, double z1, double x2, double y2, double z2)
{
    return addTo(session_.store, kindCode, x1, y1, z1, x2, y2, z2);
}

int Drafter::addTo(model::ElementStore& store, int kindCode, double x1, double y1, double z1, double x2, double y2,
                   double z2)
{
    // The cached UID holds only while nobody else has added to this store.
    if (state_.nextUID <= 0 || state_.uidStoreCount != store.count()) state_.nextUID = store.newUID();
    const int index = store.addElem(kindCode, 0, state_.drawPen, state_.nextUID, 0, 0, x1, y1, z1, x2, y2, z2,
                                    state_.drawColour);
    if (index >= 0) ++state_.nextUID;
    else session::show(session_.platform, store.takeNotices());
    state_.uidStoreCount = store.count();
    return index;
}

namespace {
// Puts the model store back even if an add throws half-way through the bank switches.
class ModelStoreComesBack {
public:
    explicit ModelStoreComesBack(Drafter& d) : d_(d) {}
    ModelStoreComesBack(const ModelStoreComesBack&) = delete;
    ModelStoreComesBack& operator=(const ModelStoreComesBack&) = delete;
    ~ModelStoreComesBack()
    {
        d_.StashDrawingStore();
        d_.UseModelStore();
    }

private:
    Drafter& d_;
};
}  // namespace

int Drafter::addToDrawingBank(int kindCode, double x1, double y1, double z1, double x2, double y2, double z2)
{
    // A generator running with the drawing store current simply adds to it.
    if (!modelIsCurrent()) return addToCurrent(kindCode, x1, y1, z1, x2, y2, z2);
    // The drawing waiting in its bank takes the line where it is: moving both stores there
    // and back for every line ends in the same place.
    if (state_.drawingInBank) return addTo(session_.bankB, kindCode, x1, y1, z1, x2, y2, z2);
    StashModelStore();
    ModelStoreComesBack back(*this);
    UseDrawingStore();
    return addToCurrent(kindCode, x1, y1, z1, x2, y2, z2);
}

int Drafter::DraftLine(double x1, double y1, double x2, double y2)
{
    return addToCurrent(model::kind::LINE, model::round5(x1), model::round5(y1), 0, model::round5(x2),
                        model::round5(y2), 0);
}

int Drafter::DraftDotLine(double x1, double y1, double x2, double y2)
{
    return addToCurrent(model::kind::DOTLINE, model::round5(x1), model::round5(y1), 0, model::round5(x2),
                        model::round5(y2), 0);
}

int Drafter::DraftCircle(double r, double x, double y)
{
    return addToCurrent(model::kind::CIRCLE, model::round5(x), model::round5(y), 0, model::round5(r), 0, 0);
}

int Drafter::DraftArc(double x, double y, double r, double a1, double a2)
{
    return addToCurrent(model::kind::ARC, model::round5(x), model::round5(y), a1, model::round5(r), 0, a2);
}

int Drafter::DraftModelLine(int type, double x1, double y1, double x2, double y2)
{
    int kindCode = 0;
    switch (type) {
    case MODEL_LINE: kindCode = model::kind::LINE; break;
    case MODEL_DASHLINE: kindCode = model::kind::DASHLINE; break;
    case MODEL_DOTLINE: kindCode = model::kind::DOTLINE; break;
    case MODEL_DASHDOT: kindCode = model::kind::DASHDOT; break;
    default: return -1;
    }
    if (std::fabs(x1 - x2) < 1e-6 && std::fabs(y1 - y2) < 1e-6) return -1;
    return addToDrawingBank(kindCode, model::round5(x1), model::round5(y1), 0, model::round5(x2),
                            model::round5(y2), 0);
}

int Drafter::DraftModelArc(double x, double y, double r, double a1, double a2)
{
    return addToDrawingBank(model::kind::ARC, model::round5(x), model::round5(y), a1, model::round5(r), 0, a2);
}

int Drafter::addMoji(int nBase, const std::string& text, double x, double y, double height, double angle,
                     double lift)
{
    const int index = session_.texts.addMoji(nBase, text, lift, angle, height, x, y,
                                             std::to_string(state_.drawPen), state_.drawColour);
    session::show(session_.platform, session_.texts.takeNotices());
    return index;
}

double readableLineAngle(double x1, double y1, double x2, double y2)
{
    const double dx = model::round5(x2) - model::round5(x1);
    const double dy = model::round5(y2) - model::round5(y1);
    const double base = dx == 0 ? 90.0 : std::atan(std::fabs(dy) / std::fabs(dx)) * 180.0 / model::kPi;
    double a = base;
    if (dx < 0 && dy >= 0)
        a = 180 - base;
    else if (dx < 0 && dy < 0)
        a = 180 + base;
    else if (dx >= 0 && dy < 0)
        a = 360 - base;
    a = model::normDeg(static_cast<double>(model::roundHalfAway(a * 100)) / 100);
    if (a > 91 && a < 180) a += 180;
    if (a >= 180 && a < 271) a -= 180;
    return model::normDeg(a);
}

int Drafter::DraftTextOnLine(const std::string& text, int nBase, int where, double x1, double y1, double x2,
                             double y2, double lift)
{
    x1 = model::round5(x1);
    y1 = model::round5(y1);
    x2 = model::round5(x2);
    y2 = model::round5(y2);
    double ax = 0, ay = 0;
    if (where == 1) {
        ax = x1;
        ay = y1;
    } else if (where == 2) {
        ax = (x1 + x2) / 2;
        ay = (y1 + y2) / 2;
    } else if (where == 3) {
        ax = x2;
        ay = y2;
    }
    return addMoji(nBase, text, ax, ay, state_.draftTextHeight, readableLineAngle(x1, y1, x2, y2), lift);
}

}  // namespace draft
