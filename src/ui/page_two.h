#pragma once
// Page "Two": the logical partition list, the sector range beside it, "Back" and
// "Next".

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace reelvane::ui {

// A device list in report view: read-only, whole rows, 64 x 64 row icons.
QTreeWidget* MakeDeviceList(QWidget* parent, const char* name, const QStringList& columns,
                            int columnWidth);
// Widens the list's columns, never narrows them, so that no filled-in text is cut
// short (a partition caption with its 64 x 64 icon needs more than 150 pixels).
void WidenColumnsToContents(QTreeWidget* list);

// The right-hand panel of pages "Two" and "Four": the two sector edits and the picture.
struct SectorPanel {
    QWidget* panel;
    QLabel* startsLabel;
    QLineEdit* first;
    QLabel* endsLabel;
    QLineEdit* last;
    QLabel* picture;
};
SectorPanel MakeSectorPanel(QWidget* parent, int width, const char* startsLabel,
                            const char* firstEdit, const char* endsLabel, const char* lastEdit,
                            const char* pictureName);

class TPageTwo : public QWidget {
    Q_OBJECT
public:
    explicit TPageTwo(QWidget* parent = nullptr);

    QTreeWidget* Logical;
    QLabel* sLabel1;
    QLineEdit* lbeginsec;
    QLabel* sLabel2;
    QLineEdit* lendsec;
    QLabel* Image2;
    QPushButton* sBBTwoToOne;
    QPushButton* runBtn;
};

}  // namespace reelvane::ui
