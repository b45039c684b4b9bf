#include "app/ToolbarIcons.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kIconSize = 32;
const QColor kHotBackground(0xD6, 0xE8, 0xFB);

} // namespace

QIcon ToolbarIcon(const QString& name) {
    const QIcon source(QStringLiteral(":/icons/%1.svg").arg(name));
    const QPixmap normal = source.pixmap(kIconSize, kIconSize);
    QPixmap hot(normal.size());
    hot.fill(Qt::transparent);
    {
        QPainter painter(&hot);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kHotBackground);
        painter.drawRoundedRect(hot.rect(), 4, 4);
        painter.drawPixmap(0, 0, normal);
    }
    QIcon icon;
    icon.addPixmap(normal, QIcon::Normal);
    icon.addPixmap(hot, QIcon::Active);
    return icon;
}
