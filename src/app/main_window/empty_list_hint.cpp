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
    auto* text =
        new QLabel(MessageText(IDS_TIDEWELL_VIEW_EMPTY_LIST_HINT, LoadMessage(IDS_KLN_TIDEWELL)), this);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    auto* add = new QToolButton(this);
    add->setObjectName("emptyListAddTask");
    add->setDefaultAction(addTask);
    add->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout->addWidget(text);
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
    const QSize wanted = sizeHint().expandedTo({qMin(420, m_view.viewport()->width()), 0});
    setGeometry(QRect(QPoint(0, 0), wanted)
                    .translated((m_view.viewport()->width() - wanted.width()) / 2,
                                (m_view.viewport()->height() - wanted.height()) / 2));
}

}  // namespace tidewell
