#include "main_window_fixture.h"

#include "document/har_exercis.h"

using namespace pw;

const std::vector<int> CadenceNotes = {48, 55, 60, 64, 41, 57, 60, 65, 43, 55, 59, 62, 48, 55, 60, 64};
const std::vector<int> ParallelNotes = {48, 55, 60, 64, 53, 60, 65, 69, 43, 55, 59, 62, 48, 55, 60, 64};

std::string CadenceExercise(const std::string &attributes)
{
    return "<MExercise Def=\"TSD major\" FixedLength=\"Y\" " + attributes
        + "><Part Key0=\"4\" Key1=\"1\"><Tonality type=\"1\" val=\"0\"/><Size chi=\"4\" zna=\"8\"/>"
          "<Voice H=\"0\"/><Voice H=\"1\"/><Voice H=\"2\"/><Voice H=\"3\"/></Part></MExercise>";
}

void MainWindowFixture::playByKey(int midiNote)
{
    HarExercis &ex = window->exercise();
    const int voice = ex.CurrentVoice();
    ASSERT_GE(voice, 0);
    const std::string row = "AWSEDFTGYHUJKOLP;']\\";
    for (int offset : {0, -1, 1, -2, 2}) {
        for (char c : row) {
            if (MidiNoteFromKey(c, voice, offset) == midiNote) {
                ex.OctOffset[static_cast<std::size_t>(voice)] = offset;
                key(c);
                return;
            }
        }
    }
    FAIL() << "no key plays " << midiNote;
}
