#pragma once

#include <filesystem>

#include <QWidget>

class QAction;
class QTextBrowser;

inline constexpr const char* kHelpWindowCaption = "Quarn 2015 Help";

// The help pages (HTML beside the program) in a window of the program's own: a text browser
// with Back, Forward and Contents. Links between the pages are followed in the window; links
// to mail or the web go to the desktop's handler. One window, reused by every Help item.
class THelpWindow : public QWidget
{
    Q_OBJECT

public:
    // `contents` is the page the Contents button leads to.
    THelpWindow(std::filesystem::path contents, QWidget* parent);
    ~THelpWindow() override;

    // Shows the page in the window and brings the window up; false (the window unchanged)
    // when there is no such page.
    bool ShowPage(const std::filesystem::path& page);

    QTextBrowser* Browser() const { return m_browser; }
    QAction* BackAction() const { return m_back; }
    QAction* ForwardAction() const { return m_forward; }
    QAction* ContentsAction() const { return m_contents; }

private:
    std::filesystem::path m_contentsPage;
    QTextBrowser* m_browser = nullptr;
    QAction* m_back = nullptr;
    QAction* m_forward = nullptr;
    QAction* m_contents = nullptr;
};
