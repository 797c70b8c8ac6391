#pragma once

#include <QWidget>

class QLabel;

namespace qv::shell
{

// The start-up picture with the licensee's name and company, shown on top
// and centred while the frame loads.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit frmSplash(QWidget *parent = nullptr);

    // Where the licensee's lines sit on the picture, in its pixels.
    static constexpr QPoint kUserInfoPosition{241, 217};

protected:
    bool event(QEvent *event) override;

private:
    QLabel *m_picture = nullptr;
    QLabel *m_userInfo = nullptr;
};

} // namespace qv::shell
