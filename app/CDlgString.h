#pragma once

#include <QDialog>

class QPlainTextEdit;

/// The text entry dialog: a multi-line edit box under its label, OK and Cancel beside it.
/// Enter confirms, Ctrl+Enter enters a line break, Escape cancels. Its caller titles it.
class CDlgString : public QDialog {
    Q_OBJECT

public:
    explicit CDlgString(QWidget* parent = nullptr);

    /// The text shown when the dialog opens, and after OK the text as typed.
    void SetText(const QString& text);
    QString GetText() const { return m_strText; }

    /// The edit box, for tests that type into it.
    QPlainTextEdit* Edit() const { return m_edit; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* m_edit;
    QString m_strText;
};
