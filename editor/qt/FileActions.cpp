#include "FileActions.h"

#include "analysis/Tracks.h"
#include "audio/SoundModule.h"
#include "audio/Wavetable.h"

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
                // The dialog adds the suggested name's extension to a name without one, and asks
                // before it replaces a file of that name.
                QFileDialog dialog(parent, title, QFileInfo(path).absolutePath(), filter);
                dialog.setAcceptMode(QFileDialog::AcceptSave);
                dialog.setDefaultSuffix(QFileInfo(path).suffix());
                dialog.selectFile(QFileInfo(path).fileName());
                return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0)
                                                          : QString();
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
    add(tr("Save picture…"), QKeySequence::Save, &FileActions::savePicture);
    add(tr("Export sound…"), QKeySequence(Qt::CTRL | Qt::Key_E), &FileActions::exportSound);
    add(tr("Export wavetable…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
        &FileActions::exportWavetable);
}

QString FileActions::choose(const QString& title, QString& folder, const QString& name,
                            const QString& filter) {
    QString path = dialogs_.chooseFile(&window_, title, QDir(folder).filePath(name), filter);
    if (path.isEmpty()) {
        return path;
    }
    folder = QFileInfo(path).absolutePath();
    // A name typed without an extension gets its type's; one with another is kept as typed.
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QLatin1Char('.') + QFileInfo(name).suffix();
    }
    return path;
}

// The picture as it is on screen, views and caption included.
void FileActions::savePicture() {
    const QString path = choose(tr("Save picture"), pictureFolder_, QStringLiteral("tonvirta.png"),
                                tr("PNG images (*.png)"));
    if (path.isEmpty()) {
        return;
    }
    // Written beside the file and renamed over it only when whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !display_.grab().toImage().save(&file, "PNG") ||
        !file.commit()) {
        file.cancelWriting();
        sayWhy(tr("Save picture"), tr("The picture could not be saved"), path, file.errorString());
    }
}

void FileActions::exportSound() {
    const QString path = choose(tr("Export sound"), soundFolder_, QStringLiteral("tonvirta.wav"),
                                tr("WAV sound (*.wav)"));
    if (path.isEmpty()) {
        return;
    }
    const audio::SoundModule* module = audio::soundModule();
    const std::string problem = module != nullptr
                                    ? module->exportSound(path.toStdString(), sound_())
                                    : tr("the sound libraries could not be loaded").toStdString();
    if (!problem.empty()) {
        sayWhy(tr("Export sound"), tr("The sound could not be exported"), path,
               QString::fromStdString(problem));
    }
}

// One period of the sum, for wavetable synthesizers.
void FileActions::exportWavetable() {
    const std::vector<float> table = audio::wavetableOf(sound_().timbre);
    if (table.empty()) {
        emit said(tr("No wavetable: every amplitude is 0, so the period is silent."));
        return;
    }
    const QString path = choose(tr("Export wavetable"), soundFolder_,
                                QStringLiteral("tonvirta-wavetable.wav"), tr("WAV sound (*.wav)"));
    if (path.isEmpty()) {
        return;
    }
    const std::string problem = audio::exportWavetable(path.toStdString(), table);
    if (!problem.empty()) {
        sayWhy(tr("Export wavetable"), tr("The wavetable could not be exported"), path,
               QString::fromStdString(problem));
    }
}

// A note's tracks as CSV, beside its sound by default.
void FileActions::exportTracks(const model::TimbreOverTime& note, const QString& soundPath) {
    const QFileInfo sound(soundPath);
    QString folder = sound.absolutePath();
    const QString path = choose(tr("Export tracks"), folder, sound.completeBaseName() + ".csv",
                                tr("CSV files (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    QSaveFile file(path);
    const std::string csv = analysis::csvOf(note);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv.data(), qint64(csv.size())) < 0 ||
        !file.commit()) {
        file.cancelWriting();
        sayWhy(tr("Export tracks"), tr("The tracks could not be exported"), path,
               file.errorString());
    }
}

void FileActions::sayWhy(const QString& title, const QString& failure, const QString& path,
                         const QString& reason) {
    dialogs_.fail(&window_, title,
                  tr("%1 as %2: %3.\n\nChoose a folder you can write to, with room on its disk.")
                      .arg(failure, QDir::toNativeSeparators(path), reason));
}

} // namespace app
