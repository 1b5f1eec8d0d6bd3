#include "designer/ui/CCurveView.h"

#include <functional>

#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <utility>

#include "designer/core/CurveUnits.h"
#include "designer/ui/CKyrelApp.h"
#include "designer/ui/CurveEditing.h"
#include "designer/ui/CurveScale.h"
#include "designer/ui/PixelCanvas.h"

namespace kyrel {

CCurveView::CCurveView(CKyrelApp& app, QWidget* parent) : QWidget(parent), app_(app) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // a paste band follows the pointer without a button held
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    setMinimumSize(1, 1);
}

Curve& CCurveView::curve() {
    SoundDesign& design = app_.design();
    return design.tracks[static_cast<std::size_t>(design.settings.currentTrack)].curve(kind_);
}

QMdiSubWindow* CCurveView::frame() const {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w)) return frame;
    }
    return nullptr;
}

bool CCurveView::isMinimised() const {
    const QMdiSubWindow* own = frame();
    return own && own->isMinimized();
}

void CCurveView::focusInEvent(QFocusEvent* event) {
    // A click gives the focus before the press arrives, and the focus makes the window current;
    // so whether this click is the one that activates the window is known only here.
    QMdiSubWindow* own = frame();
    activatingPress_ = event->reason() == Qt::MouseFocusReason && own && own->mdiArea() &&
                       own->mdiArea()->currentSubWindow() != own;
    QWidget::focusInEvent(event);
}

void CCurveView::resizeEvent(QResizeEvent* /*event*/) {
    // A minimised window keeps its bitmap and scales for when it is restored.
    if (isMinimised()) return;
    clientWidth_ = width();
    clientHeight_ = height();
    bitmap_ = QImage(clientWidth_, clientHeight_, QImage::Format_RGB32);
    bitmap_.fill(plotcolour::kBackground);
    window_ = QImage(clientWidth_, clientHeight_, QImage::Format_RGB32);
    window_.fill(palette().color(QPalette::Window).rgb());
    plot_ = PlotScale(clientWidth_ - 2 * kMargin, clientHeight_ - 2 * kMargin);
    rebuild();
}

void CCurveView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (window_.isNull()) {
        painter.fillRect(event->rect(), palette().color(QPalette::Window));
        return;
    }
    painter.drawImage(event->rect().topLeft(), window_, event->rect());
}

void drawGridLines(CurveKind kind, int w, int h, int fromColumn, int toColumn,
                   const std::function<void(QPoint, QPoint, QRgb)>& line) {
    auto horizontal = [&](int row, QRgb colour) {
        line({fromColumn, row}, {toColumn, row}, colour);
    };
    if (kind == CurveKind::Waveform || kind == CurveKind::Pan) {
        horizontal(h / 2, plotcolour::kCentreLine);
        horizontal(h / 4, plotcolour::kQuarterLine);
        horizontal((h / 4) * 3, plotcolour::kQuarterLine);
    } else {
        for (int i = 1; i <= 3; ++i) horizontal((h / 4) * i, plotcolour::kQuarterLine);
    }
    for (int i = 1; i <= 3; ++i)
        line({(w / 4) * i, 0}, {(w / 4) * i, h}, plotcolour::kVerticalLine);
}

void CCurveView::drawGrid(int firstColumn, int lastColumn) {
    if (plot_.empty()) return;
    drawGridLines(
        kind_, plot_.width(), plot_.height(), firstColumn - 1, lastColumn + 1,
        [&](QPoint from, QPoint to, QRgb colour) { canvas::drawLine(bitmap_, from, to, colour); });
}

void CCurveView::fillColumns(int firstColumn, int lastColumn, QRgb colour) {
    if (plot_.empty() || lastColumn < firstColumn) return;
    canvas::fillRect(bitmap_, QRect(firstColumn, 0, lastColumn - firstColumn + 1, plot_.height()),
                     colour);
}

void CCurveView::drawPlotLine(QPoint from, QPoint to, QRgb colour) {
    canvas::drawLine(bitmap_, from, to, colour);
}

void CCurveView::repaintColumns(QPoint a, QPoint b, QRgb colour) {
    if (b.x() < a.x()) std::swap(a, b);
    canvas::drawLine(bitmap_, a, b, colour);
    drawGrid(a.x(), b.x());
    copyColumnsToWindow(a.x(), b.x());
}

void CCurveView::rebuild() {
    if (plot_.empty() || bitmap_.isNull()) {
        if (!window_.isNull()) window_.fill(palette().color(QPalette::Window).rgb());
        update();
        return;
    }
    canvas::fillRect(bitmap_, QRect(0, 0, plot_.width(), plot_.height()), plotcolour::kBackground);
    drawScale();
    drawGrid(0, plot_.width());
    const Curve& points = curve();
    QPoint previous(0, plot_.curveRowAt(points, 0));
    for (int x = 1; x < plot_.width(); ++x) {
        const QPoint next(x, plot_.curveRowAt(points, x));
        canvas::drawLine(bitmap_, previous, next, plotcolour::kCurve);
        previous = next;
    }
    copyPlotToWindow();
}

void CCurveView::drawScale() {
    if (window_.isNull()) return;
    const QRect plotRect(marginX(), marginY(), plot_.width(), plot_.height());
    const QColor background = palette().color(QPalette::Window);
    QPainter painter(&window_);
    painter.setClipRegion(QRegion(window_.rect()) - plotRect);
    painter.fillRect(window_.rect(), background);
    QFont font = painter.font();
    font.setPixelSize(kMargin - 5);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::WindowText));
    const CurveScale scale = curveScale(kind_, plot_, app_.design().settings, waveformCycles());
    painter.drawText(QRect(marginX(), 0, plot_.width(), marginY()),
                     Qt::AlignLeft | Qt::AlignVCenter, scale.legend);
    const QFontMetrics metrics(font);
    for (std::size_t i = 0; i < scale.marks.size(); ++i) {
        const auto& [column, text] = scale.marks[i];
        const int textWidth = metrics.horizontalAdvance(text);
        int left = column + marginX() - textWidth / 2;
        if (i == 0) left = marginX();
        if (i + 1 == scale.marks.size()) left = column + marginX() - textWidth;
        painter.drawText(QRect(left, marginY() + plot_.height(), textWidth + 1, marginY()),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

void CCurveView::showReadout(QPoint client) {
    const int x = client.x() - marginX();
    const int y = client.y() - marginY();
    if (x < 0 || y < 0 || x >= plot_.width() || y >= plot_.height()) {
        app_.showReadout(QString());
        return;
    }
    const int index = std::clamp(plot_.columnToSample(x), 0, kCurvePoints - 1);
    app_.showReadout(curveReadout(kind_, index, curve()[static_cast<std::size_t>(index)],
                                  app_.design().settings, waveformCycles(), plot_.rowToValue(y)));
}

int CCurveView::waveformCycles() const {
    const SoundDesign& design = app_.design();
    const auto track = static_cast<std::size_t>(std::clamp(design.settings.currentTrack, 0, 5));
    return kyrel::waveformCycles(design.tracks[track].curve(CurveKind::Waveform));
}

void CCurveView::leaveEvent(QEvent* event) {
    app_.showReadout(QString());
    QWidget::leaveEvent(event);
}

void CCurveView::copyPlotToWindow() {
    if (plot_.empty() || window_.isNull()) return;
    canvas::copyRect(window_, {marginX(), marginY()}, bitmap_,
                     QRect(0, 0, plot_.width(), plot_.height()));
    update();
}

void CCurveView::copyColumnsToWindow(int firstColumn, int lastColumn) {
    if (plot_.empty() || window_.isNull() || lastColumn < firstColumn) return;
    const QRect columns(firstColumn, 0, lastColumn - firstColumn + 1, plot_.height());
    const QRect source = columns.intersected(QRect(0, 0, plot_.width(), plot_.height()));
    if (source.isEmpty()) return;
    canvas::copyRect(window_, source.topLeft() + QPoint(marginX(), marginY()), bitmap_, source);
    update();
}

void CCurveView::xorRectOnWindow(const QRect& client, QRgb colour) {
    if (window_.isNull()) return;
    canvas::xorRect(window_, client, colour);
    update();
}

void CCurveView::xorLineOnWindow(QPoint fromClient, QPoint toClient, QRgb colour) {
    if (window_.isNull()) return;
    canvas::xorLine(window_, fromClient, toClient, colour);
    update();
}

void CCurveView::setWindowPixel(QPoint client, QRgb colour) {
    if (window_.isNull()) return;
    canvas::setPixel(window_, client.x(), client.y(), colour);
    update();
}

bool CCurveView::holdsSelection() const {
    const KyrelApp& state = app_.state();
    if (state.selectionVisible != 1) return false;
    if (state.activeKind < 0 || state.activeKind >= kCurveKindCount) return false;
    return app_.curveView(static_cast<CurveKind>(state.activeKind)) == this;
}

void CCurveView::refresh() {
    copyPlotToWindow();
    if (holdsSelection()) {
        const KyrelApp& state = app_.state();
        drawBand(plot_.sampleToColumn(state.selectionStart.x),
                 selectionBandColumn(plot_, state.selectionEnd.x), plotcolour::kSelectionBand);
    }
}

void CCurveView::drawBand(int x1, int x2, QRgb colour) {
    if (plot_.empty()) return;
    copyPlotToWindow();
    const int left = std::min(x1, x2);
    const int right = std::max(std::max(x1, x2), left + 1);
    xorRectOnWindow(QRect(QPoint(left + marginX(), marginY()),
                          QPoint(right - 1 + marginX(), marginY() + plot_.height() - 2)),
                    colour);
}

QPoint CCurveView::toPlotPoint(QPoint client) const {
    const bool edge = mode == DragMode::Line || mode == DragMode::Select;
    const int maxX = edge ? plot_.width() : plot_.width() - 1;
    return {std::clamp(client.x() - marginX(), 0, std::max(0, maxX)),
            std::clamp(client.y() - marginY(), 0, std::max(0, plot_.height() - 1))};
}

void CCurveView::captureMouse() {
    capturing = true;
    grabMouse();
}

void CCurveView::releaseCapture() {
    capturing = false;
    if (QWidget::mouseGrabber() == this) releaseMouse();
}

void CCurveView::mousePressEvent(QMouseEvent* event) {
    const bool activating = std::exchange(activatingPress_, false);
    deferredPress_.reset();
    if (plot_.empty() || event->button() != Qt::LeftButton) return;
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    if (activating) {
        // Only activates, unless the mouse moves before it comes up.
        deferredPress_ = event->position().toPoint();
        deferredCtrl_ = ctrl;
        return;
    }
    app_.editing().press(*this, event->position().toPoint(), ctrl);
}

void CCurveView::mouseMoveEvent(QMouseEvent* event) {
    if (plot_.empty()) return;
    const QPoint at = event->position().toPoint();
    showReadout(at);
    const bool leftHeld = event->buttons().testFlag(Qt::LeftButton);
    if (deferredPress_ && leftHeld && at != *deferredPress_) {
        // The press that activated the window starts the stroke after all.
        const QPoint from = *std::exchange(deferredPress_, std::nullopt);
        app_.editing().press(*this, from, deferredCtrl_);
    }
    app_.editing().move(*this, at, leftHeld);
}

void CCurveView::mouseReleaseEvent(QMouseEvent* event) {
    if (plot_.empty() || event->button() != Qt::LeftButton) return;
    if (std::exchange(deferredPress_, std::nullopt)) return;
    app_.editing().release(*this, event->position().toPoint());
}

void CCurveView::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click on the plot asks for a value for the point under it (or the selection
    // that holds it).
    const QPoint at = event->position().toPoint() - QPoint(marginX(), marginY());
    if (plot_.empty() || event->button() != Qt::LeftButton || capturing || at.x() < 0 ||
        at.y() < 0 || at.x() >= plot_.width() || at.y() >= plot_.height())
        return;
    app_.commandTypeValue(kind_, std::clamp(plot_.columnToSample(at.x()), 0, kCurvePoints - 1));
}

void CCurveView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && capturing) {
        app_.editing().escape(*this);
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace kyrel
