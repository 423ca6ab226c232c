#include "game/JudgeTally.h"

namespace tf {

void JudgeTally::add(std::int32_t index) {
    // An index outside 0..4 is no judgement, so it counts nowhere.
    switch (index) {
    case 0:
        addPerfect();
        break;
    case 1:
        addGreat();
        break;
    case 2:
        addGood();
        break;
    case 3:
        addOk();
        break;
    case 4:
        addBad();
        break;
    default:
        break;
    }
}

} // namespace tf
