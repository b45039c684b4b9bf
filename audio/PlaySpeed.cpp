#include "audio/PlaySpeed.h"

#include <QRegularExpression>

QString SpeedText(int tenths) {
    return QStringLiteral("%1.%2x").arg(tenths / 10).arg(tenths % 10);
}

std::optional<int> ParseSpeed(const QString& text) {
    static const QRegularExpression decimal(QStringLiteral("^(\\d)(?:\\.(\\d))?$"));
    const QRegularExpressionMatch match = decimal.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const int tenths = match.captured(1).toInt() * 10 + match.captured(2).toInt();
    if (tenths < PlaySpeed::kSlowest || tenths > PlaySpeed::kFastest) {
        return std::nullopt;
    }
    return tenths;
}
