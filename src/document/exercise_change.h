#pragma once

namespace pw {

// What changed in the exercise document.
enum class ExerciseChange {
    // A working-mode load: a new exercise or the next iteration of the same one.
    Loaded,
    // An undo put a snapshot back.
    Restored,
    // Note entry or analysis changed notes or labels of one part.
    Edited,
    // Only the cursor, the current voice or the current part moved.
    Cursor,
};

// Told after every change of the exercise document, on the thread that made it. part is the part
// the change was made in, or -1 when it concerns the whole exercise.
class ExerciseListener
{
public:
    virtual ~ExerciseListener() = default;
    virtual void ExerciseChanged(ExerciseChange kind, int part) = 0;
};

} // namespace pw
