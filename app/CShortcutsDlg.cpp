#include "app/CShortcutsDlg.h"

#include "commands/ShortcutList.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QTableWidget>
#include <QVBoxLayout>

CShortcutsDlg::CShortcutsDlg(const CommandTable& commands, QWidget* parent)
    : QDialog(parent), m_table(new QTableWidget(this)) {
    setWindowTitle(QCoreApplication::translate("Command", "Keyboard shortcuts"));
    const std::vector<ShortcutEntry> entries = ShortcutList(commands);
    m_table->setColumnCount(2);
    m_table->setRowCount(int(entries.size()));
    m_table->setHorizontalHeaderLabels({tr("Keys"), tr("What it does")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    for (int row = 0; row < int(entries.size()); ++row) {
        const ShortcutEntry& entry = entries[size_t(row)];
        // Key names as this desktop spells them; gestures through the translator.
        QStringList keys;
        for (const QString& key : entry.keys) {
            keys << (entry.context == QStringLiteral("Command")
                         ? QKeySequence(key).toString(QKeySequence::NativeText)
                         : QCoreApplication::translate(entry.context, key.toUtf8().constData()));
        }
        const QString what =
            QCoreApplication::translate(entry.context, entry.what.toUtf8().constData());
        m_table->setItem(row, 0, new QTableWidgetItem(keys.join(QStringLiteral(", "))));
        m_table->setItem(row, 1, new QTableWidgetItem(what));
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(640, 560);
}
