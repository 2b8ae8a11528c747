// sim-tolva.exe: the simulator engine; its model is plugged in through the factory below.
#include "sim/Simulator.h"

int main(int argc, char** argv) {
    return sim::RunSimulator("sim-tolva.exe", std::vector<std::string>(argv + 1, argv + argc),
                             sim::ModelFactory());
}
