#pragma once
#include <array>

namespace coilrun {

// A cell of the 7 x 7 x 7 playfield: each coordinate -3..3. Its centre lies at
// scene position (2x, 2y, 2z) inside the snake's dummy.
struct Cell {
    int x = 0, y = 0, z = 0;
    bool operator==(const Cell&) const = default;
};

// The cell a position inside the snake's dummy lies in: each coordinate / 2,
// rounded to the nearest integer. May lie outside the playfield.
Cell cellAt(float x, float y, float z);

// Whether every coordinate is within -3..3.
bool insidePlayfield(const Cell& cell);

// The playfield grid that tells body cells from free ones. A cell holds 0 when
// free; k > 0 marks a body cell that stays occupied for k more completed steps,
// so the tail's cell (1) frees itself as the head takes the next step.
class OccupancyGrid {
public:
    static constexpr int kSide = 7;
    static constexpr int kCells = kSide * kSide * kSide;

    // The game's numbering of the cells: (x + 3) * 49 + (y + 3) * 7 + (z + 3).
    static constexpr int indexOf(const Cell& c) {
        return (c.x + 3) * kSide * kSide + (c.y + 3) * kSide + (c.z + 3);
    }

    // A cell outside the playfield reads as free and is never written: the head
    // steps out of the box before the level ends, and that step must not land
    // in some other cell's slot.
    int at(const Cell& c) const { return insidePlayfield(c) ? cells_[indexOf(c)] : 0; }
    void set(const Cell& c, int value) {
        if (insidePlayfield(c)) cells_[indexOf(c)] = value;
    }
    int atIndex(int index) const { return cells_[index]; }

    void clear() { cells_.fill(0); }
    // A step was completed: every body cell counts down by one.
    void countDown();
    // The snake grew: every body cell stays one step longer, except the tail's
    // cell (1), which is vacated as planned.
    void extendBody();
    // Sum of the column (x, z) over all seven layers.
    int columnSum(int x, int z) const;
    // Cells that hold nothing.
    int freeCount() const;

    bool operator==(const OccupancyGrid&) const = default;

private:
    std::array<int, kCells> cells_{};
};

} // namespace coilrun
