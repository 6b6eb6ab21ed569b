#include "staff_fixture.h"

#include "staff/staff_paint.h"

#include <fstream>
#include <sstream>

namespace pw::test {

StaffTest::StaffTest()
{
    folder = std::filesystem::temp_directory_path()
        / ("pw_staff_" + std::to_string(::getpid()) + "_"
           + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
    parms = std::make_unique<MParms>(PARTWRITER_TEST_DATA, loader, ui);
    ex = std::make_unique<HarExercis>(ui, random, folder);
    checker = std::make_unique<ExerciseChecker>(*ex);
}

StaffTest::~StaffTest()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void StaffTest::load(const std::string &exerciseXml)
{
    const std::filesystem::path file = folder / "exercise.xml";
    std::ofstream(file) << exerciseXml;
    task.Iterations = -1;
    ASSERT_TRUE(ex->LoadExercise(file.string(), &task, false)) << exerciseXml;
}

int StaffTest::paint(int width, int height, int scrollRow)
{
    parms->SetViewport(0, width, 0, height);
    return PaintAll(*ex, canvas, *parms, ui, scrollRow);
}

std::string StaffTest::voice(int h, const std::vector<std::string> &notes, const std::string &type)
{
    std::ostringstream out;
    out << "<Voice H=\"" << h << "\"" << (type.empty() ? "" : " Type=\"" + type + "\"") << ">";
    for (const std::string &note : notes) {
        if (note.rfind("<", 0) == 0) {
            out << note;
            continue;
        }
        std::istringstream fields(note);
        std::string high, length, dot;
        std::getline(fields, high, ':');
        std::getline(fields, length, ':');
        std::getline(fields, dot, ':');
        out << "<Note High=\"" << high << "\" Long=\"" << length << "\""
            << (dot.empty() ? "" : " P=\"" + dot + "\"") << "/>";
    }
    out << "</Voice>";
    return out.str();
}

std::string StaffTest::part(const std::string &voices, const std::string &attrs, int type, int val,
                            const std::string &size)
{
    return "<Part " + attrs + "><Tonality type=\"" + std::to_string(type) + "\" val=\"" + std::to_string(val)
        + "\"/>" + size + voices + "</Part>";
}

std::string StaffTest::exercise(const std::string &parts, const std::string &attrs)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><MExercise " + attrs + ">" + parts + "</MExercise>";
}

} // namespace pw::test
