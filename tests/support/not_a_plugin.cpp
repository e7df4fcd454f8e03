// Loads like the plug-in but exports none of its names.
extern "C" int evoplug_not_a_plugin() { return 0; }
