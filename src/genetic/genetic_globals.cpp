#include "genetic/genetic_globals.h"

namespace evoplug::genetic {

std::unique_ptr<Population> currentPopulation;
int32_t positionVector[3] = {0, 0, 0};
abi::Word modelNameString[abi::string::kWords] = {};
int32_t actionFunction = 0;
float lastScriptFitness = 0.0f;

}  // namespace evoplug::genetic
