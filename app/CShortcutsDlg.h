#pragma once

#include <QDialog>

class QTableWidget;

/// Help's "Keyboard shortcuts": every key and mouse gesture with what it does.
class CShortcutsDlg : public QDialog {
    Q_OBJECT

public:
    explicit CShortcutsDlg(QWidget* parent = nullptr);

    QTableWidget* Table() const { return m_table; }

private:
    QTableWidget* m_table;
};
