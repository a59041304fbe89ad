#include "app/main_window/empty_list_hint.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/widgets/qt_text.h"

namespace tidewell {

EmptyListHint::EmptyListHint(QAbstractItemView& view, QAction* addTask)
    : QWidget(view.viewport()), m_view(view) {
    setObjectName("emptyListHint");
    auto* layout = new QVBoxLayout(this);
    m_text = new QLabel(MessageText(IDS_TIDEWELL_VIEW_EMPTY_LIST_HINT, LoadMessage(IDS_KLN_TIDEWELL)), this);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    auto* add = new QToolButton(this);
    add->setObjectName("emptyListAddTask");
    add->setDefaultAction(addTask);
    add->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout->addWidget(m_text);
    layout->addWidget(add, 0, Qt::AlignHCenter);
    view.viewport()->installEventFilter(this);
    QAbstractItemModel* model = view.model();
    connect(model, &QAbstractItemModel::modelReset, this, &EmptyListHint::Follow);
    connect(model, &QAbstractItemModel::rowsInserted, this, &EmptyListHint::Follow);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &EmptyListHint::Follow);
    Follow();
}

bool EmptyListHint::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view.viewport() && event->type() == QEvent::Resize) Follow();
    return QWidget::eventFilter(watched, event);
}

void EmptyListHint::Follow() {
    setVisible(m_view.model()->rowCount() == 0);
    // On one line where the list is wide enough; wrapped, never narrower than a short paragraph.
    const QMargins margins = layout()->contentsMargins();
    const int oneLine =
        m_text->fontMetrics().horizontalAdvance(m_text->text()) + margins.left() + margins.right() + 2;
    const int width = qMin(qMax(420, oneLine), m_view.viewport()->width());
    const QSize wanted(width, qMax(sizeHint().height(), layout()->heightForWidth(width)));
    setGeometry(QRect(QPoint(0, 0), wanted)
                    .translated((m_view.viewport()->width() - wanted.width()) / 2,
                                (m_view.viewport()->height() - wanted.height()) / 2));
}

}  // namespace tidewell
