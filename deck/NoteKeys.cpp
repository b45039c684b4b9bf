#include "deck/NoteKeys.h"

#include <QCryptographicHash>
#include <QRegularExpression>

namespace {

const QChar kFieldSeparator(0x1f);

QByteArray Sha1(const QString& text) {
    return QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1);
}

} // namespace

QString JoinedFields(const QStringList& fields) {
    return fields.join(kFieldSeparator);
}

QString PlainField(const QString& field) {
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return QString(field).remove(tag).trimmed();
}

qint64 FieldChecksum(const QString& plain) {
    return Sha1(plain).left(4).toHex().toLongLong(nullptr, 16);
}

QString NoteGuid(const QString& deckName, const QStringList& fields) {
    // Number, Start, End and Source.
    const QStringList identity = {deckName, fields.value(0), fields.value(7), fields.value(8),
                                  fields.value(9)};
    return QString::fromLatin1(Sha1(identity.join(kFieldSeparator)).left(8).toHex());
}
