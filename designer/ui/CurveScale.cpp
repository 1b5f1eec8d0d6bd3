#include "designer/ui/CurveScale.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <functional>

#include "designer/core/CurveUnits.h"

namespace kyrel {

namespace {

// Whole numbers and values of 100 or more without decimals, smaller ones with one.
QString number(double value) {
    const bool whole = value == std::floor(value);
    return QString::number(value, 'f', whole || value >= 100.0 ? 0 : 1);
}

QString panText(std::int32_t value) {
    const PanBalance balance = panBalance(value);
    return QStringLiteral("L %1% R %2%").arg(balance.left, 0, 'f', 0).arg(balance.right, 0, 'f', 0);
}

// The values at the top edge and the three quarter lines, as numbers in the kind's unit.
QString quarterValues(const PlotScale& plot, const std::function<QString(std::int32_t)>& text) {
    const int quarter = plot.height() / 4;
    return QCoreApplication::translate("kyrel::CurveScale", "上端 %1、目盛り %2 / %3 / %4")
        .arg(text(plot.rowToValue(0)), text(plot.rowToValue(quarter)),
             text(plot.rowToValue(quarter * 2)), text(plot.rowToValue(quarter * 3)));
}

}  // namespace

QString curveValueText(CurveKind kind, std::int32_t value, const DesignSettings& settings,
                       int cycles) {
    switch (kind) {
        case CurveKind::Frequency:
            return number(unitFromValue(kind, value, settings.frequencyMode, cycles)) +
                   QStringLiteral(" Hz");
        case CurveKind::Volume:
            return number(loudnessPercent(value)) + QStringLiteral(" %");
        case CurveKind::Pan:
            return panText(value);
        case CurveKind::Waveform:
            break;
    }
    return QStringLiteral("%1%2 (%3 %)")
        .arg(value > 0 ? QStringLiteral("+") : QString())
        .arg(value)
        .arg(amplitudePercent(value), 0, 'f', 1);
}

CurveScale curveScale(CurveKind kind, const PlotScale& plot, const DesignSettings& settings,
                      int cycles) {
    CurveScale scale;
    if (plot.empty()) return scale;
    switch (kind) {
        case CurveKind::Frequency:
            scale.legend =
                QCoreApplication::translate("kyrel::CurveScale", "周波数 Hz（モード%1）：")
                    .arg(settings.frequencyMode == 0 ? 1 : 2) +
                quarterValues(plot, [&](std::int32_t v) {
                    return number(unitFromValue(kind, v, settings.frequencyMode, cycles));
                });
            break;
        case CurveKind::Volume:
            scale.legend =
                QCoreApplication::translate("kyrel::CurveScale", "音量 %：") +
                quarterValues(plot, [](std::int32_t v) { return number(loudnessPercent(v)); });
            break;
        case CurveKind::Pan:
            scale.legend =
                QCoreApplication::translate("kyrel::CurveScale", "定位：上端 %1、中央 %2、下端 %3")
                    .arg(panText(plot.rowToValue(0)), panText(plot.rowToValue(plot.height() / 2)),
                         panText(plot.rowToValue(plot.height() - 1)));
            break;
        case CurveKind::Waveform:
            scale.legend = QCoreApplication::translate(
                "kyrel::CurveScale", "波形（一周期）：上端 -100%、中央 0、下端 +100%");
            break;
    }
    const int w = plot.width();
    for (int i = 0; i <= 4; ++i) {
        const int column = i == 4 ? w : (w / 4) * i;
        const int point = std::min(plot.columnToSample(column), kCurvePoints);
        QString text = kind == CurveKind::Waveform
                           ? QString::number(std::min(point, kCurvePoints - 1))
                           : number(pointTimeMs(point, settings.durationMs));
        if (i == 4)
            text += kind == CurveKind::Waveform
                        ? QCoreApplication::translate("kyrel::CurveScale", " 点")
                        : QStringLiteral(" ms");
        scale.marks.emplace_back(column, text);
    }
    return scale;
}

QString curveReadout(CurveKind kind, int index, std::int32_t value, const DesignSettings& settings,
                     int cycles, std::optional<std::int32_t> cursorValue) {
    QString readout;
    if (kind != CurveKind::Waveform)
        readout = number(pointTimeMs(index, settings.durationMs)) +
                  QCoreApplication::translate("kyrel::CurveScale", " ms　");
    readout += QCoreApplication::translate("kyrel::CurveScale", "点 %1　").arg(index) +
               curveValueText(kind, value, settings, cycles);
    if (cursorValue)
        readout += QCoreApplication::translate("kyrel::CurveScale", "（カーソル %1）")
                       .arg(curveValueText(kind, *cursorValue, settings, cycles));
    return readout;
}

}  // namespace kyrel
