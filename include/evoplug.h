/* evoplug: the library's contract with the engine, its level scripts and any
 * host that loads it. Valid C99 and C++.
 *
 * Everything crossing a call is an engine number unless a comment says
 * otherwise: a signed 32-bit fixed-point value with 10 fraction bits, so
 * 1.0 is 1024 (EVOPLUG_ONE). The library keeps no pointer a caller hands it
 * beyond the call, except the engine's records and the clock function.
 *
 * Two kinds of engine record exist:
 *   - records holding pointers are arrays of pointer-wide words (uintptr_t);
 *     a number kept in such a word is the word's value read as int32_t;
 *   - records holding only numbers are arrays of 32-bit words (int32_t).
 * On the engine's own target (32-bit Windows) both words are 32 bits wide.
 */
#ifndef EVOPLUG_H
#define EVOPLUG_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define EVOPLUG_CDECL __cdecl
#else
#define EVOPLUG_CDECL
#endif

/* Defined only while the library itself is built. */
#if defined(EVOPLUG_BUILDING_LIBRARY)
#if defined(_WIN32)
#define EVOPLUG_API __declspec(dllexport)
#else
#define EVOPLUG_API __attribute__((visibility("default")))
#endif
#else
#define EVOPLUG_API
#endif

/* ---- Engine numbers ------------------------------------------------------ */

#define EVOPLUG_FRACTION_BITS 10
#define EVOPLUG_ONE (1 << EVOPLUG_FRACTION_BITS)

/* ---- Exports --------------------------------------------------------------
 * X(result, name, parameters). Every export is extern "C", cdecl, found by
 * its exact name, and returns an engine number unless its comment says
 * otherwise. The Windows module-definition file and the tests' expected list
 * come from these lists too.
 *
 * Exports for the level's script and its developer.
 */
#define EVOPLUG_LEVEL_EXPORTS(X)                                         \
    /* engine bridge: called by the engine when it loads the library; */ \
    /* answers the raw word 511, not an engine number */                 \
    X(int32_t, A5_DLLAPI, (void* hostInterface))                         \
    /* demonstrations; entity and particle are the engine's records */   \
    X(int32_t, AddToSkySpeed, (int32_t amount))                          \
    X(int32_t, CPlusPlayer_main, (void* entity))                         \
    X(int32_t, DLLEffect_Explo, (void* particle))                        \
    X(int32_t, DLLPart_Alphafade, (void* particle))                      \
    X(int32_t, DistAhead, (void* entity))                                \
    X(int32_t, FlipUpsideDown, (void* entity))                           \
    X(int32_t, PaintScreenWhite, (void))                                 \
    /* speeds: two engine numbers, read only */                          \
    X(int32_t, SetCloudSpeed, (int32_t * speeds))                        \
    X(int32_t, Square, (int32_t x))                                      \
    X(int32_t, WDLBeep, (int32_t count))                                 \
    X(int32_t, ZoomIn, (int32_t amount))                                 \
    X(int32_t, bin_extern, (void))                                       \
    /* genetic algorithm */                                              \
    X(int32_t, CreateGenotype, (void))                                   \
    X(int32_t, TransferChrom, (void))                                    \
    X(int32_t, init_Ortavia, (void))                                     \
    X(int32_t, MyFitness, (void))                                        \
    X(int32_t, SendFitnessFunction, (void))                              \
    X(int32_t, evolution, (int32_t first, int32_t second))               \
    /* every individual's current genes into its entity's gene */        \
    /* words; answers the number of entities written */                  \
    X(int32_t, UpdateEntities, (void))                                   \
    /* control panel */                                                  \
    X(int32_t, InterfaceInit, (void))                                    \
    X(int32_t, WDL_syntax, (void))                                       \
    X(int32_t, init_population, (void))                                  \
    X(int32_t, SelectRadio, (int32_t row))                               \
    X(int32_t, SelectCommand, (int32_t row, int32_t direction))          \
    X(int32_t, ControlPanelCommand, (int32_t row, int32_t direction))    \
    X(int32_t, ToggleControlPanel, (void))                               \
    X(int32_t, DragPanel, (void))                                        \
    X(int32_t, MoveMyPanel, (void))                                      \
    X(int32_t, ReleaseMyPanel, (void))                                   \
    X(int32_t, PositionPanel, (int32_t flag))                            \
    /* corpus registry */                                                \
    X(int32_t, CorpusInit, (void))                                       \
    X(int32_t, CorpusReduce, (void))                                     \
    X(int32_t, countup, (void))                                          \
    /* for the level's developer: the wiring, checked; lines on */       \
    /* standard error */                                                 \
    X(int32_t, CheckBindings, (void))

/* Exports for hosts only, never for a level's script: a program that loads
 * the library itself (a test of a level, the stand-in engine). Neither
 * returns anything.
 *   SetRuntimeClock: the library asks `seconds` for the time, in whole
 *     seconds, at every reseed; null restores the system clock. The
 *     function must stay callable until replaced, reset or unloaded.
 *   ResetPluginState: back to the state just after loading; removes no
 *     entity. Refused inside any export. */
#define EVOPLUG_HOST_EXPORTS(X)                         \
    X(void, SetRuntimeClock, (int64_t(*seconds)(void))) \
    X(void, ResetPluginState, (void))

#define EVOPLUG_EXPORTS(X) EVOPLUG_LEVEL_EXPORTS(X) EVOPLUG_HOST_EXPORTS(X)

#ifdef __cplusplus
extern "C" {
#endif
#define EVOPLUG_DECLARE_EXPORT(result, name, params) EVOPLUG_API result EVOPLUG_CDECL name params;
EVOPLUG_EXPORTS(EVOPLUG_DECLARE_EXPORT)
#undef EVOPLUG_DECLARE_EXPORT
#ifdef __cplusplus
}
#endif

/* ---- The genetic algorithm's limits --------------------------------------- */

#define EVOPLUG_GENES 3             /* genes per individual ("stringlength") */
#define EVOPLUG_HIGHEST_GENE 254    /* genes take 0 .. 254 */
#define EVOPLUG_MAX_INDIVIDUALS 200 /* "num_elem" 1 .. 200 */

/* ---- Strategies, numbered as the settings panel offers them ---------------
 * Row 0 of the settings panel, selection: X(number, Id, "name").
 * "ndef" on the panel stands for number 0. */
#define EVOPLUG_SELECTIONS(X)            \
    X(0, MinMaxSubst, "MinMaxSubst")     \
    X(1, Tournament, "Tournament")       \
    X(2, Neighbour, "Neighbour")         \
    X(3, MinMaxCross, "MinMaxCross")     \
    X(4, RouletteWheel, "RouletteWheel") \
    X(5, Excentric, "Excentric")

/* Row 1, crossbreed: X(number, Id, "name", passes), where passes is how
 * many times per generation the "crossover" weakest pairs mate (each pass
 * prints the ranking); three of the five never mate. */
#define EVOPLUG_CROSSBREEDS(X)             \
    X(0, LoveMarriage, "love marriage", 0) \
    X(1, Elite, "elite", 2)                \
    X(2, Enrichment, "enrichment", 1)      \
    X(3, Plebs, "plebs", 0)                \
    X(4, Hedonism, "hedonism", 0)

#define EVOPLUG_SELECTION_ENUM(number, id, name) EVOPLUG_SELECTION_##id = number,
enum evoplug_selection { EVOPLUG_SELECTIONS(EVOPLUG_SELECTION_ENUM) EVOPLUG_SELECTION_COUNT };
#undef EVOPLUG_SELECTION_ENUM
#define EVOPLUG_CROSSBREED_ENUM(number, id, name, passes) EVOPLUG_CROSSBREED_##id = number,
enum evoplug_crossbreed { EVOPLUG_CROSSBREEDS(EVOPLUG_CROSSBREED_ENUM) EVOPLUG_CROSSBREED_COUNT };
#undef EVOPLUG_CROSSBREED_ENUM

/* ---- Engine calls ----------------------------------------------------------
 * Function table slots 0, 1 and 4 (see the function table below). */

/* Slot 0: the script object of that name, or null. Owned by the engine. */
typedef void*(EVOPLUG_CDECL* evoplug_lookup_fn)(const char* name);
/* Slot 1: an engine function by name (one of the list below), or null. */
typedef void*(EVOPLUG_CDECL* evoplug_lookup_function_fn)(const char* name);
/* Slot 4: calls the script function `handle` with four engine numbers and
 * answers its result. Handle 0 is not a function: the engine answers 0. */
typedef int32_t(EVOPLUG_CDECL* evoplug_call_fn)(int32_t handle, int32_t a, int32_t b, int32_t c,
                                                int32_t d);

/* The engine functions the library fetches through slot 1, by these names:
 * X(name, result, parameters). Each yields the typedef evoplug_<name>_fn.
 *   ent_create: a new entity record, or null; the engine copies the
 *     position, and may run the action inside the call.
 *   ent_remove: removes an entity the engine created.
 *   vec_rotate: turns vector3 in place by the three angles.
 *   trace: the engine-number distance along the traced line. */
#define EVOPLUG_ENGINE_FUNCTIONS(X)                                                    \
    X(ent_create, void*,                                                               \
      (const void* modelStringRecord, const int32_t* position3, int32_t actionHandle)) \
    X(ent_remove, int32_t, (void* entity))                                             \
    X(vec_rotate, int32_t, (int32_t * vector3, const int32_t* angles3))                \
    X(trace, int32_t, (const int32_t* from3, const int32_t* to3))

#define EVOPLUG_ENGINE_FUNCTION_TYPE(name, result, params) \
    typedef result(EVOPLUG_CDECL* evoplug_##name##_fn) params;
EVOPLUG_ENGINE_FUNCTIONS(EVOPLUG_ENGINE_FUNCTION_TYPE)
#undef EVOPLUG_ENGINE_FUNCTION_TYPE

/* The screen surface's lock and unlock functions. */
typedef void(EVOPLUG_CDECL* evoplug_surface_fn)(void);

/* ---- Host interface record (pointer-wide words) ----------------------------
 * Written by the engine and handed to A5_DLLAPI; the library keeps the
 * pointer until another record arrives or the state is reset, and copies
 * the function table's slots at once. */
enum evoplug_host_word {
    EVOPLUG_HOST_RESERVED = 0,       /* the engine's; may carry a version number */
    EVOPLUG_HOST_FUNCTION_TABLE = 1, /* -> engine function table; never null */
    EVOPLUG_HOST_SURFACE = 2,        /* -> screen surface record; may be null */
    EVOPLUG_HOST_UNUSED = 3,         /* stored, never used */
    EVOPLUG_HOST_SECOND_TABLE = 4, /* -> a table whose slot 2 is copied, never used; may be null */
    EVOPLUG_HOST_WORDS = 5
};
/* The slot of the second table that is copied. */
#define EVOPLUG_SECOND_TABLE_SLOT 2

/* ---- Engine function table (pointer-wide words), written by the engine --- */
enum evoplug_table_word {
    EVOPLUG_TABLE_LOOKUP = 0,          /* evoplug_lookup_fn */
    EVOPLUG_TABLE_LOOKUP_FUNCTION = 1, /* evoplug_lookup_function_fn */
    EVOPLUG_TABLE_CALL = 4,            /* evoplug_call_fn; slots 2 and 3 unused */
    EVOPLUG_TABLE_WORDS = 5
};

/* ---- Script object (pointer-wide words) ------------------------------------
 * What a lookup answers: owned by the engine, valid while the script keeps
 * the name. The type code says which data word holds what. */
enum evoplug_object_word {
    EVOPLUG_OBJECT_DATA0 = 0,
    EVOPLUG_OBJECT_DATA1 = 1,
    EVOPLUG_OBJECT_TYPE = 2, /* one of the type codes below */
    EVOPLUG_OBJECT_WORDS = 3
};

/* Type codes of script objects, and the data word each one uses. */
enum evoplug_type_code {
    EVOPLUG_TYPE_NUMBER = 1,   /* word 0 -> engine number(s); two for a two-word variable */
    EVOPLUG_TYPE_ARRAY = 2,    /* word 0 -> first engine number; its length is not told */
    EVOPLUG_TYPE_STRING = 3,   /* word 1 -> string record */
    EVOPLUG_TYPE_OBJECT = 4,   /* word 0 -> a 32-bit-word record ("camera", "player", "you") */
    EVOPLUG_TYPE_FUNCTION = 6, /* word 0 = the function's handle itself */
    EVOPLUG_TYPE_PANEL = 9     /* word 1 -> panel record */
};

/* ---- String record (pointer-wide words) ------------------------------------
 * Words 0-2 belong to the engine. The library may point the text word at
 * text it owns and never frees while loaded; the script must not free or
 * overwrite that text. */
enum evoplug_string_word {
    EVOPLUG_STRING_TEXT = 3, /* NUL-terminated Windows-1252 text; may be null */
    EVOPLUG_STRING_WORDS = 4
};

/* ---- Screen surface record (pointer-wide words), written by the engine ---- */
enum evoplug_surface_word {
    EVOPLUG_SURFACE_PIXELS = 0, /* uint8_t*, the first pixel byte; the library writes the pixels */
    EVOPLUG_SURFACE_BYTES_PER_LINE = 1,
    EVOPLUG_SURFACE_WIDTH = 2,
    EVOPLUG_SURFACE_HEIGHT = 3,
    EVOPLUG_SURFACE_BYTES_PER_PIXEL = 4,
    EVOPLUG_SURFACE_LOCK = 5,   /* evoplug_surface_fn, called before the pixels are written */
    EVOPLUG_SURFACE_UNLOCK = 6, /* evoplug_surface_fn, called after */
    EVOPLUG_SURFACE_WORDS = 7
};

/* ---- Entity record (32-bit words), created and owned by the engine -------- */
enum evoplug_entity_word {
    EVOPLUG_ENTITY_POSITION = 4, /* x, y, z in words 4-6; written by the engine at creation */
    EVOPLUG_ENTITY_PAN = 7,      /* the three angles, words 7-9: read by DistAhead, */
    EVOPLUG_ENTITY_TILT = 8,     /* tilt written by CPlusPlayer_main, roll by FlipUpsideDown */
    EVOPLUG_ENTITY_ROLL = 9,
    /* An individual's genes as engine numbers, written by CreateGenotype
     * and UpdateEntities: gene 0 in word 23, gene 1 in 22, gene 2 in 21. */
    EVOPLUG_ENTITY_GENE2 = 21,
    EVOPLUG_ENTITY_GENE1 = 22,
    EVOPLUG_ENTITY_GENE0 = 23,
    EVOPLUG_ENTITY_WORDS = 32
};

/* ---- Particle record (32-bit words), owned by the engine -------------------
 * Written by DLLEffect_Explo and DLLPart_Alphafade. */
enum evoplug_particle_word {
    EVOPLUG_PARTICLE_LIFE = 3,      /* 0 ends the particle */
    EVOPLUG_PARTICLE_VELOCITY = 7,  /* words 7-9 */
    EVOPLUG_PARTICLE_FUNCTION = 12, /* the handle of the script function run each frame */
    EVOPLUG_PARTICLE_FLAGS = 13,
    EVOPLUG_PARTICLE_ALPHA = 19,  /* transparency */
    EVOPLUG_PARTICLE_COLOUR = 21, /* words 21-23, as on entities */
    EVOPLUG_PARTICLE_WORDS = 32
};

/* ---- Panel record (32-bit words), owned by the engine ----------------------
 * The library moves panels by their position words. */
enum evoplug_panel_word {
    EVOPLUG_PANEL_POS_X = 5,
    EVOPLUG_PANEL_POS_Y = 6,
    /* Set to 10 (an engine number) by MoveMyPanel when a drag of "DialogPanel" starts, for the
     * script's "checkDragProcess" to see; the library never reads it. */
    EVOPLUG_PANEL_MOVE_MARKER = 10,
    EVOPLUG_PANEL_WORDS = 16
};

/* ---- Camera record (32-bit words), owned by the engine --------------------- */
enum evoplug_camera_word {
    EVOPLUG_CAMERA_ZOOM = 18, /* lowered by ZoomIn */
    EVOPLUG_CAMERA_WORDS = 32
};

#endif /* EVOPLUG_H */
