#include "app/CAboutDlg.h"

#include <QApplication>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), m_text(new QLabel(VersionText(), this)) {
    setWindowTitle(tr("关于 tarn"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    auto* ok = new QPushButton(tr("确定"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addWidget(m_text, 0, 1);
    layout->addWidget(ok, 1, 1, Qt::AlignRight);
}

QString CAboutDlg::VersionText() {
    return tr("Version: %1\nBuild: %2").arg(QLatin1String(kVersion), QLatin1String(kBuild));
}

QString CAboutDlg::Text() const {
    return m_text->text();
}
