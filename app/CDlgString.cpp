#include "app/CDlgString.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDlgString::CDlgString(QWidget* parent) : QDialog(parent), m_edit(new QPlainTextEdit(this)) {
    // The box takes Enter as OK, so the label says how a line break is typed.
    auto* label = new QLabel(tr("Subtitle text (Ctrl+Enter for a new line):"), this);
    label->setBuddy(m_edit);
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_edit->setTabChangesFocus(true);
    m_edit->installEventFilter(this);
    m_edit->setMinimumSize(360, 86);

    auto* ok = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CDlgString::accept);
    connect(cancel, &QPushButton::clicked, this, &CDlgString::reject);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* text = new QVBoxLayout;
    text->addWidget(label);
    text->addWidget(m_edit, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(text, 1);
    layout->addLayout(buttons);
}

void CDlgString::SetText(const QString& text) {
    m_strText = text;
    m_edit->setPlainText(text);
}

void CDlgString::accept() {
    m_strText = m_edit->toPlainText();
    QDialog::accept();
}

bool CDlgString::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // The box does not take Enter: Enter confirms, Ctrl+Enter breaks the line.
            if (key->modifiers().testFlag(Qt::ControlModifier)) {
                m_edit->insertPlainText(QStringLiteral("\n"));
            } else {
                accept();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
