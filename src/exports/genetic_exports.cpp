#include "bridge/host_interface.h"
#include "exports/exports.h"
#include "genetic/generation.h"
#include "genetic/genotype.h"

using namespace evoplug;

int32_t CreateGenotype() {
    genetic::CreateGenotype();
    return 0;
}

int32_t TransferChrom() {
    genetic::TransferChrom();
    return 0;
}

int32_t init_Ortavia() {
    genetic::init_Ortavia();
    return 0;
}

int32_t MyFitness() {
    genetic::MyFitness();
    return 0;
}

int32_t SendFitnessFunction() {
    genetic::SendFitnessFunction();
    return 0;
}

int32_t evolution(int32_t first, int32_t second) {
    return genetic::evolution(abi::toInt(first), abi::toInt(second));
}
