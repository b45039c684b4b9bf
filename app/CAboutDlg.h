#pragma once

#include <QDialog>

class QLabel;

/// The About box: the application icon, the version text and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kVersion = "0.7.29";
    static constexpr const char* kBuild = "2024-11-25";

    explicit CAboutDlg(QWidget* parent = nullptr);

    /// "Version: <version>\nBuild: <build>".
    static QString VersionText();
    QString Text() const;

private:
    QLabel* m_text;
};
