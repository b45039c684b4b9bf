#include "app/CCueListDock.h"

#include "document/CtarnDoc.h"
#include "models/CueTableModel.h"

#include <QColor>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <QTableView>

#include <algorithm>
#include <iterator>

namespace {

/// Colours the cells whose figures break a timing rule.
class CueCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(CueTableModel::kBrokenRuleRole).toBool()) {
            option->backgroundBrush = QColor(0xFF, 0xD6, 0xD6);
        }
    }
};

/// Edits a cue's text on several lines: Enter takes it, Ctrl+Enter starts a new line.
class CueTextDelegate : public CueCellDelegate {
public:
    using CueCellDelegate::CueCellDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* editor = new QPlainTextEdit(parent);
        editor->setTabChangesFocus(true);
        editor->installEventFilter(const_cast<CueTextDelegate*>(this));
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* text = static_cast<QPlainTextEdit*>(editor);
        text->setPlainText(index.data(Qt::EditRole).toString());
        text->selectAll();
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        model->setData(index, static_cast<QPlainTextEdit*>(editor)->toPlainText());
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QPlainTextEdit*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                if (key->modifiers().testFlag(Qt::ControlModifier)) {
                    editor->insertPlainText(QStringLiteral("\n"));
                } else {
                    emit commitData(editor);
                    emit closeEditor(editor);
                }
                return true;
            }
        }
        return CueCellDelegate::eventFilter(object, event);
    }
};

} // namespace

CCueListDock::CCueListDock(CtarnDoc& doc, Host& host, QWidget* parent)
    : QDockWidget(tr("Cues"), parent), m_doc(doc), m_model(new CueTableModel(doc, host, this)),
      m_table(new QTableView(this)) {
    setObjectName(QStringLiteral("cueList"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    m_table->setItemDelegate(new CueCellDelegate(m_table));
    m_table->setItemDelegateForColumn(CueTableModel::kText, new CueTextDelegate(m_table));
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    // Wide enough for what the columns hold, measured once rather than over every row.
    const QFontMetrics metrics = m_table->fontMetrics();
    const int padding = 3 * metrics.averageCharWidth();
    const QString widest[] = {QStringLiteral("000000"),      QStringLiteral("0:00:00.000"),
                              QStringLiteral("0:00:00.000"), QStringLiteral("0:00:00.000"),
                              QStringLiteral("000.0"),       QStringLiteral("overlap, short")};
    for (int column = 0; column < int(std::size(widest)); ++column) {
        m_table->setColumnWidth(column, metrics.horizontalAdvance(widest[column]) + padding);
    }
    m_table->setWordWrap(false);
    setWidget(m_table);

    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_bFollowing && current.isValid() && makeCurrent) {
                    makeCurrent(current.row());
                }
            });
    connect(&doc, &CtarnDoc::currentCueChanged, this, [this](int cue) { ShowCurrent(cue); });
}

CCueListDock::~CCueListDock() = default;

std::vector<int> CCueListDock::ChosenCues() const {
    std::vector<int> rows;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    if (rows.empty() && m_doc.Cues().IsValidIndex(m_doc.CurrentCue())) {
        rows.push_back(m_doc.CurrentCue());
    }
    return rows;
}

void CCueListDock::ShowCurrent(int cue) {
    QItemSelectionModel* selection = m_table->selectionModel();
    // The row chosen here already: the other rows chosen with it stay chosen.
    if (cue >= 0 && selection->currentIndex().row() == cue && selection->isRowSelected(cue)) {
        return;
    }
    m_bFollowing = true;
    if (m_model->index(cue, 0).isValid()) {
        const QModelIndex index = m_model->index(cue, 0);
        selection->setCurrentIndex(index,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_table->scrollTo(index);
    } else {
        selection->clearSelection();
    }
    m_bFollowing = false;
}
