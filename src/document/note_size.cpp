#include "document/note_size.h"

#include "platform/error.h"

#include <cstdint>

namespace pw {

namespace {

int checked(std::int64_t value)
{
    if (value > INT32_MAX || value < INT32_MIN)
        throw RangeError("Integer overflow in a note duration");
    return static_cast<int>(value);
}

} // namespace

NSize::NSize(XmlNode note)
{
    AddNote(note);
}

int NSize::AddNote(XmlNode note)
{
    return AddLength(GetAttrInt(note, "Long", 0), GetAttrInt(note, "P", 0) > 0);
}

int NSize::AddLength(int length, bool dotted)
{
    if (length == 0)
        return 0;
    const std::int64_t k = Count;
    const std::int64_t u = Unit;
    const std::int64_t l = length;
    if (!dotted) {
        if (u == 0) {
            Count = 1;
            Unit = length;
        } else if (l == u) {
            Count = checked(k + 1);
        } else if (l < u) {
            Count = checked(k + u / l);
        } else {
            Count = checked(l / u * k + 1);
            Unit = length;
        }
        return 0;
    }
    const std::int64_t d = 2 * l;
    if (u == 0) {
        Count = 3;
        Unit = checked(d);
    } else if (l == u) {
        Count = checked(2 * k + 3);
        Unit = checked(d);
    } else if (d == u) {
        Count = checked(k + 3);
    } else if (d < u) {
        Count = checked(k + u / d * 3);
    } else if (l > u) {
        Count = checked(k * (d / u) + 3);
        Unit = checked(d);
    } else {
        return -2;
    }
    return 0;
}

int NSize::CompareTo(const NSize &other) const
{
    // 0/0 is the empty duration; cross-multiplying it would make it equal to everything.
    if (Unit == 0 || other.Unit == 0) {
        const bool mineEmpty = Unit == 0 || Count == 0;
        const bool theirsEmpty = other.Unit == 0 || other.Count == 0;
        if (mineEmpty && theirsEmpty)
            return 0;
        return mineEmpty ? 1 : -1;
    }
    const std::int64_t mine = static_cast<std::int64_t>(Count) * other.Unit;
    const std::int64_t theirs = static_cast<std::int64_t>(other.Count) * Unit;
    if (mine < theirs)
        return 1;
    return mine == theirs ? 0 : -1;
}

} // namespace pw
