#include "main/THelpWindow.h"

#include <system_error>

#include <QAction>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "host/DesktopSeams.h"

namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 760;

QUrl PageUrl(const std::filesystem::path& page)
{
    return QUrl::fromLocalFile(QString::fromStdString(page.string()));
}

} // namespace

THelpWindow::THelpWindow(std::filesystem::path contents, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_contentsPage(std::move(contents))
{
    setObjectName("HelpWindow");
    setWindowTitle(kHelpWindowCaption);
    setAccessibleName(kHelpWindowCaption);
    auto* bar = new QToolBar(this);
    bar->setObjectName("HelpToolBar");
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), "Back");
    m_back->setObjectName("HelpBack");
    m_forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), "Forward");
    m_forward->setObjectName("HelpForward");
    m_contents = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), "Contents");
    m_contents->setObjectName("HelpHome");
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName("HelpBrowser");
    m_browser->setAccessibleName("Help page");
    // Pages and their figures are files, followed here; mail and web addresses are the
    // desktop's.
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        const QUrl target = m_browser->source().resolved(url);
        if (target.isLocalFile()) {
            m_browser->setSource(target);
        } else {
            ShellOpenUrl(target.toString().toStdString());
        }
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_browser);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_contents, &QAction::triggered, this, [this] { ShowPage(m_contentsPage); });
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QString(kHelpWindowCaption)
                                       : title + " - " + kHelpWindowCaption);
    });
    resize(kWidth, kHeight);
}

THelpWindow::~THelpWindow() = default;

bool THelpWindow::ShowPage(const std::filesystem::path& page)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(page, ec)) {
        return false;
    }
    m_browser->setSource(PageUrl(page));
    show();
    raise();
    activateWindow();
    return true;
}
