#include "staff/pitch_rules.h"

#include <algorithm>

namespace pw {

namespace {

// Pitch classes counted from A: 0 A, 1 B flat, 2 B, 3 C, 4 C sharp ... 11 G sharp.
constexpr std::array<int, 12> StepClass {0, 1, 1, 2, 2, 3, 3, 4, 5, 5, 6, 6};
constexpr std::array<int, 12> Alteration {0, -1, 0, 0, 1, 0, 1, 0, 0, 1, 0, 1};

// Reference steps carrying the key signature's sign, in the order the signs are added.
constexpr std::array<int, 7> FlatSteps {5, 2, 6, 3, 0, 4, 1};
constexpr std::array<int, 7> SharpSteps {1, 4, 7, 3, 6, 2, 5};

int referencePitch(int high, const Tonality &tonality)
{
    return tonality.type == 1 ? high + 3 : high;
}

bool inKeySignature(int step, int val)
{
    if (val > 0) {
        const auto end = FlatSteps.begin() + std::min(val, 7);
        return std::find(FlatSteps.begin(), end, step) != end;
    }
    const auto end = SharpSteps.begin() + std::min(-val, 7);
    return std::find(SharpSteps.begin(), end, step) != end;
}

// The staff step of a pitch counted from A0, before any clef.
int diatonicStep(int high, const Tonality &tonality)
{
    const int n = referencePitch(high, tonality);
    const int shift = ((3 * tonality.val) % 7 + 7) % 7;
    return StepClass[static_cast<std::size_t>(n % 12)] + 7 * (n / 12) + shift;
}

} // namespace

int StaffPosition(int high, const Tonality &tonality, int clef)
{
    const int step = diatonicStep(high, tonality);
    if (clef == 1)
        return step - 9;
    if (clef == 4)
        return step - 21;
    return step;
}

WrittenPitch WrittenPitchOf(int high, const Tonality &tonality)
{
    const int step = diatonicStep(high, tonality);
    // Steps are counted from A: A and B belong to the octave below the C that follows them.
    const int fromA = step % 7;
    WrittenPitch written;
    written.letter = (fromA + 5) % 7;
    written.octave = step / 7 + (fromA >= 2 ? 1 : 0);
    const int n = referencePitch(high, tonality) % 12;
    written.alter = Alteration[static_cast<std::size_t>(n)];
    if (inKeySignature(StepClass[static_cast<std::size_t>(n)], tonality.val))
        written.alter += tonality.val > 0 ? -1 : 1;
    return written;
}

int AccidentalFor(int high, const Tonality &tonality, AccidentalMemory &memory)
{
    const int n = referencePitch(high, tonality) % 12;
    const int step = StepClass[static_cast<std::size_t>(n)];
    const int a = Alteration[static_cast<std::size_t>(n)];
    int &remembered = memory[static_cast<std::size_t>(step)];
    const int val = tonality.val;

    if (a == 0) {
        if (remembered == 0)
            return NoSign;
        const bool keySignReturns
            = remembered == Natural || remembered == DoubleSharp || remembered == DoubleFlat;
        remembered = 0;
        if (keySignReturns)
            return val > 0 ? Flat : Sharp;
        return Natural;
    }
    if (val == 0) {
        // Without a key signature every altered note shows its sign.
        remembered = a;
        return a + 2;
    }
    if (inKeySignature(step, val)) {
        int sign = 0;
        if (val > 0)
            sign = a > 0 ? Natural : DoubleFlat;
        else
            sign = a > 0 ? DoubleSharp : Natural;
        if (remembered == sign)
            return NoSign;
        remembered = sign;
        return sign;
    }
    if (remembered == a + 2)
        return NoSign;
    remembered = a + 2;
    return a + 2;
}

} // namespace pw
