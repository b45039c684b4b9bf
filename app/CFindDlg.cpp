#include "app/CFindDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CFindDlg::CFindDlg(QWidget* parent)
    : QDialog(parent), m_pattern(new QLineEdit(this)), m_replacement(new QLineEdit(this)),
      m_replacementLabel(new QLabel(tr("Replace with:"), this)),
      m_matchCase(new QCheckBox(tr("Match case"), this)),
      m_wholeWords(new QCheckBox(tr("Whole words"), this)),
      m_regex(new QCheckBox(tr("Regular expression"), this)),
      m_replace(new QPushButton(tr("Replace"), this)),
      m_replaceAll(new QPushButton(tr("Replace all"), this)) {
    setWindowTitle(tr("Find"));
    auto* next = new QPushButton(tr("Find next"), this);
    auto* previous = new QPushButton(tr("Find previous"), this);
    next->setDefault(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Find:"), this), 0, 0);
    layout->addWidget(m_pattern, 0, 1);
    layout->addWidget(m_replacementLabel, 1, 0);
    layout->addWidget(m_replacement, 1, 1);
    layout->addWidget(m_matchCase, 2, 1);
    layout->addWidget(m_wholeWords, 3, 1);
    layout->addWidget(m_regex, 4, 1);
    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    buttons->addButton(next, QDialogButtonBox::ActionRole);
    buttons->addButton(previous, QDialogButtonBox::ActionRole);
    buttons->addButton(m_replace, QDialogButtonBox::ActionRole);
    buttons->addButton(m_replaceAll, QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons, 0, 2, 5, 1);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(next, &QPushButton::clicked, this, [this] { onFind(false); });
    connect(previous, &QPushButton::clicked, this, [this] { onFind(true); });
    connect(m_replace, &QPushButton::clicked, this, [this] { onReplace(); });
    connect(m_replaceAll, &QPushButton::clicked, this, [this] { onReplaceAll(); });
}

void CFindDlg::Open(bool replacing) {
    setWindowTitle(replacing ? tr("Replace") : tr("Find"));
    for (QWidget* part :
         {static_cast<QWidget*>(m_replacementLabel), static_cast<QWidget*>(m_replacement),
          static_cast<QWidget*>(m_replace), static_cast<QWidget*>(m_replaceAll)}) {
        part->setVisible(replacing);
    }
    show();
    raise();
    activateWindow();
    m_pattern->setFocus();
    m_pattern->selectAll();
}

CueQuery CFindDlg::Query() const {
    return {m_pattern->text(), m_matchCase->isChecked(), m_wholeWords->isChecked(),
            m_regex->isChecked()};
}

QString CFindDlg::Replacement() const {
    return m_replacement->text();
}
