#include "app/midi/MidiKeyboard.h"

#include "platform/MidiInput.h"

namespace tf {

MidiKeyboard::~MidiKeyboard() {
    close();
}

bool MidiKeyboard::use(std::unique_ptr<MidiInput> taken, std::string_view choice) {
    close();
    input = std::move(taken);
    if (!input) {
        return !NamesMidiInput(choice);
    }
    // Runs on the input's thread: only the latch's atomic flags are touched.
    input->setNoteHandler(LanePresser(lanes_));
    const std::vector<std::string> ports = input->ports();
    const auto chosen = ChooseMidiInput(ports, choice);
    if (!chosen) {
        return !NamesMidiInput(choice);
    }
    const bool opened = input->open(ports[*chosen]) == MidiInputOpen::Opened;
    return opened || !NamesMidiInput(choice);
}

MidiInputMenu MidiKeyboard::menu(std::string_view noneItem, std::size_t maxItems) {
    std::string connected;
    menuPorts.clear();
    if (input) {
        connected = input->connectedPort();
        if (connected.empty()) {
            // Frees a port that went away; a closed input stays as it is.
            input->close();
        }
        menuPorts = input->ports();
    }
    MidiInputMenu made = MakeMidiInputMenu(menuPorts, connected, maxItems);
    menuPorts.resize(made.items.size() - 1);
    made.items.back() = noneItem;
    return made;
}

void MidiKeyboard::choose(std::size_t item) {
    if (!input) {
        return;
    }
    if (item < menuPorts.size()) {
        // A port unplugged since the menu opened simply does not connect (the one in use was
        // let go of all the same); the menu shows "None" checked the next time.
        static_cast<void>(input->open(menuPorts[item]));
    } else if (item == menuPorts.size()) {
        input->close();
    }
}

void MidiKeyboard::close() {
    if (input) {
        input->close();
    }
}

void MidiKeyboard::dealLanes(const ChartStorage& chart) {
    lanes_.setKeyLanes(KeyLanes(chart));
}

} // namespace tf
