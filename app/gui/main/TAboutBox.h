#pragma once

#include <memory>

#include <QDialog>

namespace Ui {
class TAboutBox;
}

// The maker's support addresses the About box opens.
inline constexpr const char* kSupportMailAddress = "support@tarvik.example";
inline constexpr const char* kWebPageAddress = "https://www.tarvik.example/quarn";

// "About": the program's name and version and the maker's addresses. Made once at start-up
// and shown modally by Help/About. A click on the e-mail address starts a mail to it, a click
// on the web address opens the page, both with the desktop's default handler.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent);
    ~TAboutBox() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void Label4Click();
    void Label6Click();

private:
    std::unique_ptr<Ui::TAboutBox> ui;
};
