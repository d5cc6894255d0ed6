#include "FileActions.h"

#include "audio/SoundExport.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>
#include <QWidget>

namespace app {
namespace {

QString folderOr(QStandardPaths::StandardLocation location) {
    const QString folder = QStandardPaths::writableLocation(location);
    return QDir(folder).exists() ? folder : QDir::homePath();
}

} // namespace

FileActions::Dialogs FileActions::standardDialogs() {
    return {[](QWidget* parent, const QString& title, const QString& path, const QString& filter) {
                return QFileDialog::getSaveFileName(parent, title, path, filter);
            },
            [](QWidget* parent, const QString& title, const QString& text) {
                QMessageBox::warning(parent, title, text);
            }};
}

FileActions::FileActions(QWidget& window, QMenu& menu, QWidget& display,
                         std::function<audio::SoundSnapshot()> sound)
    : QObject(&window), window_(window), display_(display), sound_(std::move(sound)),
      dialogs_(standardDialogs()), pictureFolder_(folderOr(QStandardPaths::PicturesLocation)),
      soundFolder_(folderOr(QStandardPaths::MusicLocation)) {
    menu.addSeparator();
    const auto add = [&](const QString& text, const QKeySequence& key,
                         void (FileActions::*slot)()) {
        auto* action = new QAction(text, &window);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        window.addAction(action);
        menu.addAction(action);
        connect(action, &QAction::triggered, this, slot);
    };
    add(QStringLiteral("Save picture…"), QKeySequence::Save, &FileActions::savePicture);
    add(QStringLiteral("Export sound…"), QKeySequence(Qt::CTRL | Qt::Key_E),
        &FileActions::exportSound);
}

QString FileActions::choose(const QString& title, QString& folder, const QString& name,
                            const QString& filter) {
    QString path = dialogs_.chooseFile(&window_, title, QDir(folder).filePath(name), filter);
    if (!path.isEmpty()) {
        folder = QFileInfo(path).absolutePath();
    }
    return path;
}

// The picture as it is on screen, views and caption included.
void FileActions::savePicture() {
    const QString path =
        choose(QStringLiteral("Save picture"), pictureFolder_, QStringLiteral("tonvirta.png"),
               QStringLiteral("PNG images (*.png)"));
    if (path.isEmpty()) {
        return;
    }
    // Written beside the file and renamed over it only when whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !display_.grab().toImage().save(&file, "PNG") ||
        !file.commit()) {
        file.cancelWriting();
        sayWhy(QStringLiteral("Save picture"), QStringLiteral("The picture could not be saved"),
               path, file.errorString());
    }
}

void FileActions::exportSound() {
    const QString path =
        choose(QStringLiteral("Export sound"), soundFolder_, QStringLiteral("tonvirta.wav"),
               QStringLiteral("WAV sound (*.wav)"));
    if (path.isEmpty()) {
        return;
    }
    const std::string problem = audio::exportSound(path.toStdString(), sound_());
    if (!problem.empty()) {
        sayWhy(QStringLiteral("Export sound"), QStringLiteral("The sound could not be exported"),
               path, QString::fromStdString(problem));
    }
}

void FileActions::sayWhy(const QString& title, const QString& failure, const QString& path,
                         const QString& reason) {
    dialogs_.fail(&window_, title,
                  QStringLiteral("%1 as %2: %3.\n\nChoose a folder you can write to, with room "
                                 "on its disk.")
                      .arg(failure, QDir::toNativeSeparators(path), reason));
}

} // namespace app
