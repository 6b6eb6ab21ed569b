// The export of the exercise in hand as a MusicXML score, for a teacher's notation program.

#include "shell/main_window.h"

#include "config/save_failure.h"
#include "musicxml/musicxml_export.h"
#include "platform/error.h"
#include "staff/mparms.h"

#include <QDir>

#include <filesystem>

namespace pw {

bool TForm1::ExportMusicXml()
{
    if (!harmonyShown() || m_exercise->PartCount() == 0)
        return false;
    // The lesson stands still while the name is asked, as it does in the other dialogs.
    const bool wasPaused = m_paused;
    m_paused = true;
    // Course files name their exercises with backslashes.
    const std::string &file = m_exercise->FileName;
    const std::string stem = std::filesystem::path(file.substr(file.find_last_of("\\/") + 1)).stem().string();
    const std::optional<std::string> chosen = m_ui.saveFileName(
        m_texts.Text("Toolbar", "ExportMenu"),
        (std::filesystem::path(QDir::homePath().toStdString()) / (stem + ".musicxml")).string(), "musicxml",
        "MusicXML (*.musicxml *.xml)");
    m_paused = wasPaused;
    RefreshState();
    if (!chosen)
        return false;

    MusicXmlOptions score;
    score.texts = MusicXmlTextsOf(m_texts);
    score.title = m_lessonTitle.empty() ? stem : m_lessonTitle;
    // The analysis as the student sees it; none while an examination hides it.
    if (!(m_exercise->IsExam && m_exercise->ExamState < 0))
        score.analysis = &m_parms->Definitor();
    try {
        WriteMusicXml(*m_exercise, score, *chosen);
    } catch (const Error &e) {
        ReportSaveFailure(m_ui, m_texts, "ExportNotSaved", e);
        return false;
    }
    return true;
}

} // namespace pw
