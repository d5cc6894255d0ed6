#include "FileActions.h"

#include "analysis/Tracks.h"
#include "audio/SoundModule.h"
#include "audio/Wavetable.h"
#include "editor/Recipe.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QSaveFile>
#include <QSpinBox>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>

namespace app {
namespace {

QString folderOr(QStandardPaths::StandardLocation location) {
    const QString folder = QStandardPaths::writableLocation(location);
    return QDir(folder).exists() ? folder : QDir::homePath();
}

// How many frames of the note, asked below the file's name; Qt's own dialog, as a desktop's
// has no room for it.
QSpinBox* askFrames(QFileDialog& dialog, int frames) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* layout = qobject_cast<QGridLayout*>(dialog.layout());
    if (layout == nullptr) {
        return nullptr;
    }
    auto* count = new QSpinBox(&dialog);
    count->setRange(1, int(mostExportedFrames));
    count->setValue(frames);
    count->setSpecialValueText(FileActions::tr("1: the boxes' timbre alone"));
    auto* label = new QLabel(FileActions::tr("&Frames of the note:"), &dialog);
    label->setBuddy(count);
    const int row = layout->rowCount();
    layout->addWidget(label, row, 0);
    layout->addWidget(count, row, 1);
    return count;
}

} // namespace

std::vector<editor::Step> stepsOf(const model::TimbreOverTime& frames) {
    std::vector<editor::Step> steps;
    for (const model::Moment& frame : frames.moments) {
        steps.push_back(editor::stepOf(frame.timbre));
    }
    return steps;
}

QString writeWavetableFile(const QString& path, std::span<const editor::Step> frames) {
    std::vector<model::Timbre> timbres;
    std::transform(frames.begin(), frames.end(), std::back_inserter(timbres),
                   [](const editor::Step& step) { return editor::timbreOf(step); });
    return QString::fromStdString(audio::exportWavetable(QFile::encodeName(path).toStdString(),
                                                         audio::wavetableOf(timbres),
                                                         editor::recipeText(frames)));
}

FileActions::Dialogs FileActions::standardDialogs() {
    return {[](QWidget* parent, const QString& title, const QString& path, const QString& filter,
               int* frames) {
                // The dialog adds the suggested name's extension to a name without one, and asks
                // before it replaces a file of that name.
                QFileDialog dialog(parent, title, QFileInfo(path).absolutePath(), filter);
                dialog.setAcceptMode(QFileDialog::AcceptSave);
                dialog.setDefaultSuffix(QFileInfo(path).suffix());
                dialog.selectFile(QFileInfo(path).fileName());
                QSpinBox* count = frames != nullptr ? askFrames(dialog, *frames) : nullptr;
                if (dialog.exec() != QDialog::Accepted) {
                    return QString();
                }
                if (count != nullptr) {
                    *frames = count->value();
                }
                return dialog.selectedFiles().value(0);
            },
            [](QWidget* parent, const QString& title, const QString& text) {
                QMessageBox::warning(parent, title, text);
            }};
}

FileActions::FileActions(QWidget& window, QMenu& menu, QWidget& display,
                         std::function<audio::SoundSnapshot()> sound,
                         std::function<editor::Step()> step)
    : QObject(&window), window_(window), display_(display), sound_(std::move(sound)),
      step_(std::move(step)), dialogs_(standardDialogs()),
      pictureFolder_(folderOr(QStandardPaths::PicturesLocation)),
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
    add(tr("Export harmonics…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H),
        &FileActions::exportHarmonics);
}

QString FileActions::choose(const QString& title, QString& folder, const QString& name,
                            const QString& filter, int* frames) {
    QString path =
        dialogs_.chooseFile(&window_, title, QDir(folder).filePath(name), filter, frames);
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

// A table's own count of frames, so that it goes out as it came in; a note's, the default.
int FileActions::offeredFrames() const {
    if (note_ == nullptr) {
        return 1;
    }
    return note_->frames ? int(std::min(note_->moments.size(), mostExportedFrames))
                         : int(defaultFrames);
}

model::TimbreOverTime FileActions::framesToExport(int count) const {
    if (note_ != nullptr && count > 1) {
        return editor::framesOf(*note_, std::size_t(count));
    }
    model::TimbreOverTime one;
    one.frames = true;
    one.moments.push_back(editor::momentOf(step_(), 0.0, sound_().pitchHz));
    return one;
}

// One period of the sum for wavetable synthesizers, or a note's frames.
void FileActions::exportWavetable() {
    int count = offeredFrames();
    if (note_ == nullptr && editor::timbreOf(step_()).silent()) {
        emit said(tr("No wavetable: every amplitude is 0, so the period is silent."));
        return;
    }
    const QString path =
        choose(tr("Export wavetable"), soundFolder_, QStringLiteral("tonvirta-wavetable.wav"),
               tr("WAV sound (*.wav)"), note_ != nullptr ? &count : nullptr);
    if (path.isEmpty()) {
        return;
    }
    if (count <= 1 && editor::timbreOf(step_()).silent()) {
        emit said(tr("No wavetable: every amplitude is 0, so the period is silent."));
        return;
    }
    const model::TimbreOverTime frames = framesToExport(count);
    const QString problem =
        count > 1 ? writeWavetableFile(path, stepsOf(frames))
                  : writeWavetableFile(path, std::vector{step_()}); // its texts as they are
    if (!problem.isEmpty()) {
        sayWhy(tr("Export wavetable"), tr("The wavetable could not be exported"), path, problem);
    }
}

// The harmonics of what Export wavetable writes, a frame a row.
void FileActions::exportHarmonics() {
    int count = offeredFrames();
    const QString path =
        choose(tr("Export harmonics"), soundFolder_, QStringLiteral("tonvirta-harmonics.csv"),
               tr("CSV files (*.csv)"), note_ != nullptr ? &count : nullptr);
    if (!path.isEmpty()) {
        writeCsv(tr("Export harmonics"), tr("The harmonics could not be exported"), path,
                 analysis::csvOf(framesToExport(count)));
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
    writeCsv(tr("Export tracks"), tr("The tracks could not be exported"), path,
             analysis::csvOf(note));
}

void FileActions::writeCsv(const QString& title, const QString& failure, const QString& path,
                           const std::string& csv) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv.data(), qint64(csv.size())) < 0 ||
        !file.commit()) {
        file.cancelWriting();
        sayWhy(title, failure, path, file.errorString());
    }
}

void FileActions::sayWhy(const QString& title, const QString& failure, const QString& path,
                         const QString& reason) {
    dialogs_.fail(&window_, title,
                  tr("%1 as %2: %3.\n\nChoose a folder you can write to, with room on its disk.")
                      .arg(failure, QDir::toNativeSeparators(path), reason));
}

} // namespace app
