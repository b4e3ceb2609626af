#include "ui/page_two.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>

#include "ui/fonts.h"
#include "ui/panels.h"

namespace reelvane::ui {

QTreeWidget* MakeDeviceList(QWidget* parent, const char* name, const QStringList& columns,
                            int columnWidth)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(columns);
    for (int i = 0; i < columns.size(); ++i) list->setColumnWidth(i, columnWidth);
    list->header()->setStretchLastSection(false);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setIconSize(QSize(64, 64));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setAllColumnsShowFocus(true);
    list->setFont(ArialFont(14, false));
    list->setStyleSheet(QStringLiteral("QTreeWidget { background: white; }"));
    return list;
}

void WidenColumnsToContents(QTreeWidget* list)
{
    for (int column = 0; column < list->columnCount(); ++column) {
        const int layoutWidth = list->columnWidth(column);
        list->resizeColumnToContents(column);
        if (list->columnWidth(column) < layoutWidth) list->setColumnWidth(column, layoutWidth);
    }
}

SectorPanel MakeSectorPanel(QWidget* parent, int width, const char* startsLabel,
                            const char* firstEdit, const char* endsLabel, const char* lastEdit,
                            const char* pictureName)
{
    SectorPanel p{};
    p.panel = new TPanel(parent);
    p.panel->setFixedWidth(width);
    const QFont labelFont = ArialFont(16, true);
    p.startsLabel = PlaceLabel(p.panel, startsLabel, QStringLiteral("Sector Starts:"), 16, 14);
    p.first = PlaceEdit(p.panel, firstEdit, QStringLiteral("0"), 16, 43, 113, 20);
    p.endsLabel = PlaceLabel(p.panel, endsLabel, QStringLiteral("Sector Ends:"), 16, 78);
    p.last = PlaceEdit(p.panel, lastEdit, QStringLiteral("0"), 16, 107, 113, 20);
    for (QLabel* label : {p.startsLabel, p.endsLabel}) {
        label->setFont(labelFont);
        label->setStyleSheet(QStringLiteral("color: black;"));
        label->adjustSize();
    }
    for (QLineEdit* edit : {p.first, p.last}) {
        edit->setFont(SongFont());
        edit->setStyleSheet(QStringLiteral("QLineEdit { background: white; }"));
    }
    QWidget::setTabOrder(p.first, p.last);

    p.picture = new QLabel(p.panel);
    p.picture->setObjectName(QString::fromLatin1(pictureName));
    p.picture->setFixedSize(width - 2, 178);
    p.picture->setPixmap(QIcon(QStringLiteral(":/pictures/notes.svg")).pixmap(width - 2, 178));
    p.picture->setScaledContents(true);
    auto* column = AlignVertically(p.panel, 0);
    column->addStretch(1);
    column->addWidget(p.picture);
    return p;
}

TPageTwo::TPageTwo(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Two"));
    auto* page = AlignVertically(this, 0);
    auto* panel = new TPanel(this);
    page->addWidget(panel);
    auto* inside = AlignVertically(panel, 0);

    auto* area = new TPanel(panel);
    auto* row = AlignHorizontally(area, 0);
    Logical = MakeDeviceList(area, "Logical",
                             {QStringLiteral("Partition"), QStringLiteral("Parent Drive"),
                              QStringLiteral("Partition Type"), QStringLiteral("Size")},
                             150);
    row->addWidget(Logical, 1);
    const SectorPanel sectors =
        MakeSectorPanel(area, 227, "sLabel1", "lbeginsec", "sLabel2", "lendsec", "Image2");
    row->addWidget(sectors.panel);
    sLabel1 = sectors.startsLabel;
    lbeginsec = sectors.first;
    sLabel2 = sectors.endsLabel;
    lendsec = sectors.last;
    Image2 = sectors.picture;
    inside->addWidget(area, 1);

    auto* bottom = new TPanel(panel);
    bottom->setFixedHeight(73);
    sBBTwoToOne = PlaceButton(bottom, "sBBTwoToOne", QStringLiteral("Back"), 16, 16, 89, 41);
    sBBTwoToOne->setFont(WindowFont());
    runBtn = PlaceButton(bottom, "runBtn", QStringLiteral("Next"), 848, 16, 89, 41);
    runBtn->setFont(ArialFont(19, true));
    inside->addWidget(bottom);

    setTabOrder(Logical, lbeginsec);
    setTabOrder(lbeginsec, lendsec);
    setTabOrder(lendsec, runBtn);
    setTabOrder(runBtn, sBBTwoToOne);
}

}  // namespace reelvane::ui
