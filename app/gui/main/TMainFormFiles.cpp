// The main window's side of the project's files: the save question, New, Open, Save, Save As,
// the recent files and dropped files.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "ProjectPaths.h"
#include "StaleFiles.h"
#include "host/DesktopSeams.h"
#include "main/TMainForm.h"
#include "seams/FileDialogSeam.h"
#include "seams/MessageSeam.h"

namespace {

constexpr const char* kOpenFilter = "QUARN 2015(*.qr7d);;QUARN 2014(*.qr6d);;QUARN Plus 5(*.qrd);;"
                                    "All Files(*)";
constexpr const char* kSaveFilter = "QUARN 2015(*.qr7d);;All files (*)";
constexpr const char* kDefaultSuffix = "qr7d";

} // namespace

bool TMainForm::QuerySaveChanges()
{
    if (!IsModified()) {
        return true;
    }
    const EMessageResult answer = ShowMessage({EMessageType::Confirmation,
                                               EMessageButtons::YesNoCancel,
                                               "Confirm",
                                               kSaveChangesText,
                                               this});
    if (answer == EMessageResult::Cancel) {
        return false;
    }
    if (answer == EMessageResult::No) {
        return true;
    }
    // Dropped only when really saved: a cancelled Save As or a failed save keeps it.
    bool saved = false;
    RunCommand(this, [&] { saved = SaveProject() && !IsModified(); });
    return saved;
}

void TMainForm::NewProject()
{
    CloseAllChildren();
    ResetProject(m_data, &m_tables, &m_motionInput);
    m_fileStamp = TProjectFileStamp();
    SetModified(false);
    m_graphs.Clear();
    m_plotsLoaded = false;
    SetCaption();
    UpdatePileShapeMenus();
    CheckSpeedButtons();
    VisibleOffshoreColumns();
}

bool TMainForm::OpenFileName(const std::string& path, int variant)
{
    return OpenProject(path, LayoutOfFilter(variant));
}

bool TMainForm::OpenProject(const std::string& path, ProjectLayout layout)
{
    const std::string fileName = ProjectPath(path);
    QDir::setCurrent(QFileInfo(QString::fromStdString(fileName)).absolutePath());
    CloseAllChildren();
    // What a killed save or run of this project left beside it, before it is read: a save
    // cut short is kept or completed, and the note says where.
    CleanUpBeside(fileName);
    std::vector<std::string> notes;
    // The file as it was read: a later save by another window is not dropped without a word.
    TProjectFileStamp stamp = StampProjectFile(fileName);
    try {
        // All or nothing: a file that cannot be read leaves the open project as it was.
        notes = OpenProjectFile(fileName, layout, m_data, m_tables, &m_motionInput);
    } catch (const EInOutError& e) {
        ShowInformation(e.Message(), this);
        return false;
    }
    m_fileStamp = std::move(stamp);
    // Opened, but not quite as saved (no CPT side file, one of another save): said once.
    for (const std::string& note : notes) {
        ShowInformation(note, this);
    }
    SetModified(false);
    SetCaption();
    m_plotsLoaded = false;
    m_graphs.Clear();
    const std::string plotPath = WithExtension(fileName, kPlotDataExtension);
    if (FileExists(plotPath)) {
        const TPlotReadResult result =
            ReadPlotFile(m_graphs, plotPath, PlotReadOptionsFor(m_data, m_tables.D()));
        if (result.Ok) {
            KeepPlotResult(m_data, result);
        }
        m_plotsLoaded = result.Ok;
    }
    CheckSpeedButtons();
    VisibleOffshoreColumns();
    UpdatePrevFile(fileName);
    return true;
}

void TMainForm::CleanUpBeside(const std::string& path)
{
    for (const std::string& note : RemoveStaleFiles({path}, {}).Notes) {
        ShowInformation(note, this);
    }
}

bool TMainForm::SaveUnderItsName()
{
    try {
        SaveProjectFile(m_data, m_tables, &m_motionInput, &m_fileStamp);
    } catch (const EProjectFileChanged& e) {
        const EMessageResult answer =
            ShowMessage({EMessageType::Confirmation,
                         EMessageButtons::YesNo,
                         "Confirm",
                         e.Message()
                             + "\nDo you want to overwrite it with the project of this "
                               "window?",
                         this});
        if (answer != EMessageResult::Yes) {
            return false;
        }
        // Overwritten as asked: the file written is the one this window knows from now on.
        m_fileStamp = TProjectFileStamp();
        SaveProjectFile(m_data, m_tables, &m_motionInput, &m_fileStamp);
    }
    return true;
}

bool TMainForm::SaveProject()
{
    if (m_data.FileName != kNewProjectFileName
        && ExtensionOf(m_data.FileName) == kProjectExtension) {
        if (!SaveUnderItsName()) {
            return false;
        }
        SetModified(false);
        return true;
    }
    return SaveProjectAs();
}

bool TMainForm::SaveProjectAs()
{
    // A project of an older layout is proposed under the current extension, so its own file
    // is not overwritten in a layout its older readers do not know.
    std::string proposed = ProposedSaveName(m_data.FileName);
    if (ExtensionOf(proposed) == kProjectExtension) {
        proposed = WithExtension(proposed, kProjectExtension);
    }
    TSaveFileRequest request;
    request.title = "Save " + GetDisplayName(m_data.FileName) + " As";
    request.filter = kSaveFilter;
    request.defaultSuffix = kDefaultSuffix;
    request.initialPath = proposed;
    request.parent = this;
    const std::string chosen = AskSaveFileName(request);
    bool accepted = false;
    if (!chosen.empty()) {
        const std::string previous = m_data.FileName;
        m_data.FileName = ProjectPath(chosen);
        bool saved = false;
        try {
            saved = SaveUnderItsName();
        } catch (...) {
            // The project keeps the name of a file that holds it.
            m_data.FileName = previous;
            CheckSpeedButtons();
            throw;
        }
        if (!saved) {
            m_data.FileName = previous;
            m_saveAccepted = false;
            CheckSpeedButtons();
            return false;
        }
        SetModified(false);
        SetCaption();
        UpdateRegistry();
        accepted = true;
        // The results of the last run belong to the project: they go with it, so its graphs,
        // report and GRLWEAP file stay offered under the new name.
        if (m_plotsLoaded && m_data.FileName != previous) {
            CarryResults(previous, m_data.FileName);
        }
    } else {
        m_saveAccepted = false;
    }
    // The windows show the project as it is; its name alone changed.
    CheckSpeedButtons();
    return accepted;
}

void TMainForm::CarryResults(const std::string& from, const std::string& to)
{
    const auto sources = ResultFilesOf(from);
    const auto targets = ResultFilesOf(to);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (!FileExists(sources[i])) {
            continue;
        }
        // The results are the program's own files: a link at the new name is removed, as a
        // run removes it, never written through.
        const std::string reason = CopyWhole(sources[i], targets[i], ELinkRule::ReplaceLink);
        if (!reason.empty()) {
            ShowInformation("The result file " + sources[i] + " could not be copied to "
                                + targets[i] + ": " + reason,
                            this);
        }
    }
}

void TMainForm::OpenProjectFileByExtension(const std::string& path)
{
    if (const auto layout = LayoutOpenedByName(path)) {
        OpenProject(path, *layout);
    }
}

void TMainForm::OpenDroppedFiles(const QStringList& paths)
{
    if (!paths.isEmpty() && QuerySaveChanges()) {
        const std::string first = ProjectPath(paths.front().toStdString());
        QDir::setCurrent(QFileInfo(QString::fromStdString(first)).absolutePath());
        OpenProjectFileByExtension(first);
    }
    UpdatePileShapeMenus();
}

void TMainForm::OpenRecentFile(int index)
{
    if (m_recent.Entry(index).empty()) {
        return;
    }
    if (QuerySaveChanges()) {
        OpenProjectFileByExtension(m_recent.Entry(index));
    }
    UpdatePileShapeMenus();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TMainForm::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths << url.toLocalFile();
        }
    }
    event->acceptProposedAction();
    RunCommand(this, [&] { OpenDroppedFiles(paths); });
}

void TMainForm::FileNewClick()
{
    RunCommand(this, [this] {
        if (QuerySaveChanges()) {
            NewProject();
        }
    });
}

void TMainForm::FileOpenClick()
{
    RunCommand(this, [this] {
        if (QuerySaveChanges()) {
            TOpenFileRequest request;
            request.title = "Open";
            request.filter = kOpenFilter;
            request.initialPath = QDir::currentPath().toStdString();
            request.parent = this;
            const TOpenFileAnswer answer = AskOpenFileName(request);
            if (!answer.path.empty()) {
                OpenFileName(answer.path, answer.filterIndex);
            }
        }
        UpdateRegistry();
        VisibleOffshoreColumns();
        CheckSpeedButtons();
        UpdatePileShapeMenus();
    });
}

void TMainForm::FileSaveClick()
{
    RunCommand(this, [this] { SaveProject(); });
}

void TMainForm::FileSaveAsClick()
{
    RunCommand(this, [this] { SaveProjectAs(); });
}

void TMainForm::FileExitClick()
{
    close();
}

void TMainForm::RecentFileClick()
{
    const int index = sender()->property(kIndexProperty).toInt();
    RunCommand(this, [this, index] { OpenRecentFile(index); });
}

void TMainForm::NewButtonClick()
{
    DeactivateActiveChild();
    FileNewClick();
}

void TMainForm::OpenButtonClick()
{
    DeactivateActiveChild();
    FileOpenClick();
}

void TMainForm::SaveButtonClick()
{
    DeactivateActiveChild();
    FileSaveClick();
}
