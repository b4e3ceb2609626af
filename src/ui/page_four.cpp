#include "ui/page_four.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "ui/fonts.h"
#include "ui/page_two.h"
#include "ui/panels.h"

namespace reelvane::ui {

TPageFour::TPageFour(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Four"));
    auto* page = AlignVertically(this, 0);

    auto* area = new TPanel(this);
    auto* row = AlignHorizontally(area, 0);
    Physical = MakeDeviceList(area, "Physical",
                              {QStringLiteral("Hard Drive"), QStringLiteral("Device Type"),
                               QStringLiteral("Size")},
                              180);
    row->addWidget(Physical, 1);
    const SectorPanel sectors =
        MakeSectorPanel(area, 229, "sLabel3", "pbeginsec", "sLabel4", "pendsec", "Image4");
    row->addWidget(sectors.panel);
    sLabel3 = sectors.startsLabel;
    pbeginsec = sectors.first;
    sLabel4 = sectors.endsLabel;
    pendsec = sectors.last;
    Image4 = sectors.picture;
    page->addWidget(area, 1);

    auto* bottom = new TPanel(this);
    bottom->setFixedHeight(73);
    sButton1 = PlaceButton(bottom, "sButton1", QStringLiteral("Back"), 16, 16, 89, 41);
    sButton2 = PlaceButton(bottom, "sButton2", QStringLiteral("Next"), 848, 16, 89, 41);
    page->addWidget(bottom);

    setTabOrder(Physical, pbeginsec);
    setTabOrder(pbeginsec, pendsec);
    setTabOrder(pendsec, sButton2);
    setTabOrder(sButton2, sButton1);
}

}  // namespace reelvane::ui
