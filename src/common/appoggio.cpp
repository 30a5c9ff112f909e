#include "common/appoggio.h"

namespace brezzolo {
namespace {

// The store's fields by name; tend slots are handled apart.
struct NamedField {
    std::string_view name;
    std::string Appoggio::*field;
};

constexpr NamedField kNamedFields[] = {
    {"statopress", &Appoggio::statopress},
    {"Tendenza", &Appoggio::Tendenza},
    {"Raintoday", &Appoggio::Raintoday},
    {"Pmax", &Appoggio::Pmax},
    {"Pmin", &Appoggio::Pmin},
    {"Tmax", &Appoggio::Tmax},
    {"Tmin", &Appoggio::Tmin},
};

// 0 .. 9 for "tend1" .. "tend10", nothing for other names.
std::optional<std::size_t> slotIndex(std::string_view name) {
    for (std::size_t i = 0; i < 10; ++i) {
        if (name == "tend" + std::to_string(i + 1)) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace

void Appoggio::shiftSlots() {
    for (std::size_t i = tend.size() - 1; i > 0; --i) {
        tend[i] = tend[i - 1];
    }
    tend[0] = statopress;
}

bool Appoggio::slotsFilled() const {
    return !tend[9].starts_with('t');
}

std::optional<std::string> Appoggio::get(std::string_view name) const {
    if (const auto slot = slotIndex(name)) {
        return tend[*slot];
    }
    for (const NamedField& f : kNamedFields) {
        if (f.name == name) {
            return this->*f.field;
        }
    }
    return std::nullopt;
}

const std::vector<std::string>& Appoggio::names() {
    static const std::vector<std::string> all = [] {
        std::vector<std::string> n;
        for (int i = 1; i <= 10; ++i) {
            n.push_back("tend" + std::to_string(i));
        }
        for (const NamedField& f : kNamedFields) {
            n.emplace_back(f.name);
        }
        return n;
    }();
    return all;
}

}  // namespace brezzolo
