#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brezzolo {

// The scratch store: the seventeen named texts that outlive one cycle. Created with its
// initial texts at start-up, never shown and never saved. Every value is a text; readers that
// need a number take its numeric value, so every initial text reads as 0.
struct Appoggio {
    // The ten tendency slots; tend[0] is tend1 (newest), tend[9] is tend10 (oldest).
    std::array<std::string, 10> tend{"tend1", "tend2", "tend3", "tend4", "tend5",
                                     "tend6", "tend7", "tend8", "tend9", "tend10"};
    std::string statopress = "StatoPress";  // trend class code "-3" .. "3" of the chart step
    std::string Tendenza = "Tendenza";      // the word of the same class
    std::string Raintoday = "RainToday";    // the station's rain total at the start of the day
    std::string Pmax = "Pmax";
    std::string Pmin = "Pmin";
    std::string Tmax = "Tmax";
    std::string Tmin = "Tmin";

    // Moves every slot one place towards the old end, oldest first, and puts statopress into
    // tend1. The previous tend10 is dropped.
    void shiftSlots();

    // The slots are not yet filled while tend10 still begins with "t" (its initial text).
    bool slotsFilled() const;

    // Access by name ("tend1" .. "tend10", "statopress", ...), for the dump and tests.
    std::optional<std::string> get(std::string_view name) const;

    // The seventeen names in the store's order.
    static const std::vector<std::string>& names();
};

}  // namespace brezzolo
