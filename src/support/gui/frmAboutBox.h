#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace qv::support
{

// The About window: the product's name and version, a way to the maker's
// other products, and OK.
class frmAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit frmAboutBox(QWidget *parent = nullptr);

    // Loads and shows the window modally.
    void Display();
    // The loading part of Display.
    void load();
    // The picture beside the name (the program's icon unless another is set).
    void setPicture(const QPixmap &picture);

private:
    void loadCaptions();
    void cmdOtherClick();

    QLabel *picIcon;
    QLabel *lbProgram;
    QLabel *lbVersion;
    QLabel *lbDescription;
    QLabel *lbCopyright;
    QPushButton *cmdOther;
    QPushButton *cmdOk;
};

} // namespace qv::support
