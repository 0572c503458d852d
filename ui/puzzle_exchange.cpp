#include "ui/puzzle_exchange.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>

#include "exchange/puzzle_file.h"
#include "game/captions.h"
#include "ui/main_window.h"
#include "ui/x11_clipboard.h"
#include "widgets/dialog_popups.h"
#include "widgets/user_folders.h"

namespace dozudo {

namespace {

// A folder watcher costs a thread's work and inotify handles: only while a dialog runs.
void setWatching(QFileDialog* dialog, bool on) {
    if (auto* model = dialog->findChild<QFileSystemModel*>())
        model->setOption(QFileSystemModel::DontWatchForChanges, !on);
}

std::string encodedPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace

QtPuzzleClipboard::QtPuzzleClipboard() = default;
QtPuzzleClipboard::~QtPuzzleClipboard() = default;

void QtPuzzleClipboard::requestText(TextAnswer answer) {
    cancelRequest();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (QGuiApplication::platformName() == "xcb" && !clipboard->ownsClipboard()) {
        if (!x11_) x11_ = std::make_unique<X11ClipboardReader>();
        if (x11_->read(answer)) return;
    }
    // The text of this program itself, or one that Qt reads within a second (Wayland passes
    // it through a pipe that Qt waits on for a second at most): once.
    const QMimeData* data = clipboard->mimeData();
    answer(data && data->hasText() ? data->text().toStdString() : std::string());
}

void QtPuzzleClipboard::cancelRequest() {
    if (x11_) x11_->cancel();
}

void QtPuzzleClipboard::setText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

QFileDialog* makePuzzleDialog(QWidget* parent, const QString& title, QFileDialog::AcceptMode mode) {
    auto* dialog = new QFileDialog(parent);
    dialog->setWindowTitle(title);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                        : QFileDialog::ExistingFile);
    // "save" writes the record only, so only "open" offers the text forms of other programs.
    if (mode == QFileDialog::AcceptSave)
        dialog->setNameFilter("SUDOKU file (*sdk)");
    else
        dialog->setNameFilters({"SUDOKU file (*sdk)", "puzzle texts (*.txt *.sdm *.ss *.sdk)", "all files (*)"});
    dialog->setDefaultSuffix("sdk");
    setWatching(dialog, false);
    return dialog;
}

QString runFileDialog(QFileDialog* dialog, const QString& folder) {
    dialog->setDirectory(folder);
    // selectFile() leaves the name of the last run in place when given no name: the name field
    // and the list's selection are emptied by hand, so that what the user types is the name.
    if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) name->clear();
    if (auto* list = dialog->findChild<QListView*>("listView")) list->clearSelection();
    setWatching(dialog, true);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    hideCompleterPopups(dialog);
    setWatching(dialog, false);
    const QStringList files = dialog->selectedFiles();
    return accepted && !files.isEmpty() ? files.first() : QString();
}

// ---- the main window's exchange commands ----

void TForm1::openGame() {
    QString path = droppedFile_;
    if (path.isEmpty()) {
        const QString folder = puzzleDialogFolder(false);
        renewDialog(OpenDialog1, "Open game", QFileDialog::AcceptOpen);
        path = runFileDialog(OpenDialog1, folder);
        // The dialog comes back where the user was, also when the file then fails to open.
        if (!path.isEmpty()) puzzleFolder_ = QFileInfo(path).absolutePath();
    }
    if (!path.isEmpty() && !openPuzzleFile(path)) return;  // the button stays down
    PaintBox1->repaintBoard();
    releaseCommandButton(cmdOpen);
}

void TForm1::saveGame() {
    // The board as it is now: the filling may go on while the dialog is open.
    const puzzleRecord record = recordFromBoard(game_->board);
    const QString folder = puzzleDialogFolder(true);  // made first, so the dialog lists it
    renewDialog(SaveDialog1, "save game", QFileDialog::AcceptSave);
    const QString path = runFileDialog(SaveDialog1, folder);
    if (path.isEmpty()) return;  // cancelled: nothing written, "save" stays down
    puzzleFolder_ = QFileInfo(path).absolutePath();
    const std::string error = game_->savePuzzleFile(encodedPath(path), record);
    if (!error.empty()) showFileError(error);
}

void TForm1::renewDialog(QFileDialog*& dialog, const QString& title, QFileDialog::AcceptMode mode) {
    // A dialog reads its folders once and does not watch them while closed: kept from an
    // earlier run, it would show a folder made or filled since then as it was (even as
    // missing, refusing every name typed into it). A new one reads what is there now.
    delete dialog;
    dialog = makePuzzleDialog(this, title, mode);
}

void TForm1::openDroppedFile(const QString& path) {
    droppedFile_ = path;
    ZelArrayBtn1->ClickBtn(cmdOpen);
    droppedFile_.clear();
}

bool TForm1::openPuzzleFile(const QString& path) {
    const std::string error = game_->openPuzzleFile(encodedPath(path));
    if (!error.empty()) {
        // Inside the first paint the box waits until the board has been drawn.
        if (openingAtFirstPaint_)
            QTimer::singleShot(0, this, [this, error] { showFileError(error); });
        else
            showFileError(error);
        return false;
    }
    // Opened from the dialog, the command line or a drop: the dialogs start in its folder.
    puzzleFolder_ = QFileInfo(path).absolutePath();
    // The first paint goes on to draw the opened board itself.
    if (!openingAtFirstPaint_) PaintBox1->repaintBoard();
    return true;
}

QString TForm1::puzzleDialogFolder(bool saving) const {
    if (!puzzleFolder_.isEmpty() && QFileInfo(puzzleFolder_).isDir()) return puzzleFolder_;
    const QString documents = documentsFolder();
    if (saving) QDir().mkpath(documents);  // a fresh account may have none yet
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void TForm1::openFromCommandLine() {
    if (commandLine.size() < 2 || commandLine.at(1).isEmpty()) return;
    openingAtFirstPaint_ = true;
    openPuzzleFile(commandLine.at(1));
    openingAtFirstPaint_ = false;
}

void TForm1::showFileError(const std::string& text) {
    QMessageBox::critical(this, QCoreApplication::applicationName(), QString::fromStdString(text));
}

void TForm1::clipboardCommand() {
    if (!clipboard_) clipboard_ = std::make_unique<QtPuzzleClipboard>();
    game_->clipboardCommand(*clipboard_);
}

}  // namespace dozudo
