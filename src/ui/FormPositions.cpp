#include "ui/FormPositions.h"

#include "model/PropertyHelpers.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <climits>

namespace {

std::shared_ptr<IHXPropertyList_>& Options() {
    static std::shared_ptr<IHXPropertyList_> options;
    return options;
}

const QString SectionName = QStringLiteral("form positions");

std::shared_ptr<IHXPropertyList_> WindowList(const QString& name) {
    const auto options = Options();
    if (!options)
        return nullptr;
    return options->Items(SectionName)->AsPropertyList()->Items(name)->AsPropertyList();
}

/// The squared distance between two rectangles (0 when they meet).
long long Distance(const QRect& a, const QRect& b) {
    const long long dx = std::max({0, b.left() - a.right(), a.left() - b.right()});
    const long long dy = std::max({0, b.top() - a.bottom(), a.top() - b.bottom()});
    return dx * dx + dy * dy;
}

} // namespace

void SetFormPositionOptions(std::shared_ptr<IHXPropertyList_> options) {
    Options() = std::move(options);
}

std::shared_ptr<IHXPropertyList_> FormPositionOptions() {
    return Options();
}

bool WindowPositionsAreHonoured() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QRect FitOntoWorkArea(const QRect& frame, const QRect& workArea) {
    QRect result = frame;
    if (result.right() > workArea.right())
        result.moveRight(workArea.right());
    if (result.bottom() > workArea.bottom())
        result.moveBottom(workArea.bottom());
    if (result.top() < workArea.top())
        result.moveTop(workArea.top());
    if (result.left() < workArea.left())
        result.moveLeft(workArea.left());
    return result;
}

QRect WorkAreaFor(const QRect& frame) {
    const QScreen* best = nullptr;
    long long bestArea = -1;
    long long bestDistance = LLONG_MAX;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const QRect common = area.intersected(frame);
        const long long commonArea = common.isEmpty() ? 0 : 1LL * common.width() * common.height();
        const long long distance = Distance(area, frame);
        if (commonArea > bestArea || (commonArea == 0 && bestArea == 0 && distance < bestDistance)) {
            best = screen;
            bestArea = commonArea;
            bestDistance = distance;
        }
    }
    if (!best)
        best = QGuiApplication::primaryScreen();
    return best ? best->availableGeometry() : frame;
}

void LoadFormPosition(QWidget* window, const QString& name, bool withSize) {
    const auto list = WindowList(name);
    if (!window || !list || !list->Find(QStringLiteral("left")))
        return;
    // Frame position and inner size, as SaveFormPosition wrote them.
    const QPoint place(FindIntegerDef(list, QStringLiteral("left"), window->x()),
                       FindIntegerDef(list, QStringLiteral("top"), window->y()));
    if (withSize && list->Find(QStringLiteral("width"))) {
        const QSize size(FindIntegerDef(list, QStringLiteral("width"), window->width()),
                         FindIntegerDef(list, QStringLiteral("height"), window->height()));
        window->resize(size.expandedTo(window->minimumSize()).boundedTo(window->maximumSize()));
    }
    if (!WindowPositionsAreHonoured())
        return;
    // Before the window is shown its frame is not known yet; it is no larger than the inner size
    // plus what the frame adds once it has been shown.
    const QSize frameExtra = window->frameGeometry().size() - window->size();
    const QRect frame(place, window->size() + frameExtra);
    window->move(FitOntoWorkArea(frame, WorkAreaFor(frame)).topLeft());
}

void SaveFormPosition(QWidget* window, const QString& name, bool withSize) {
    const auto list = WindowList(name);
    if (!window || !list)
        return;
    // pos() of a top-level window is its frame's top-left corner; size() the inside.
    if (WindowPositionsAreHonoured() || !list->Find(QStringLiteral("left"))) {
        list->Items(QStringLiteral("left"))->SetAsInteger(window->x());
        list->Items(QStringLiteral("top"))->SetAsInteger(window->y());
    }
    if (withSize) {
        list->Items(QStringLiteral("width"))->SetAsInteger(window->width());
        list->Items(QStringLiteral("height"))->SetAsInteger(window->height());
    } else {
        list->Remove(QStringLiteral("width"));
        list->Remove(QStringLiteral("height"));
    }
}
