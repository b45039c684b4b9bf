#pragma once

#include <QDialog>

class CommandTable;
class QTableWidget;

/// Help's "Keyboard shortcuts": every key and mouse gesture with what it does.
class CShortcutsDlg : public QDialog {
    Q_OBJECT

public:
    /// Lists the keys of the commands in `commands`.
    explicit CShortcutsDlg(const CommandTable& commands, QWidget* parent = nullptr);

    QTableWidget* Table() const { return m_table; }

private:
    QTableWidget* m_table;
};
