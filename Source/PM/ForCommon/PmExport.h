// Export markers of the module's interface. Modules are built with hidden
// visibility, so only what carries one of these reaches the export table.
#pragma once

#define PM_EXPORT __attribute__((visibility("default")))
// A member of an exported class that the module keeps to itself: an inline
// member that is not part of the exported interface (a const overload of an
// exported accessor, a helper for clients), compiled wherever it is used.
#define PM_NO_EXPORT __attribute__((visibility("hidden")))

// The transform is exported whole by some builds, by its element access only
// by others, and not at all by the format 101 modules.
#if defined(PM_TRANSFORM_EXPORT_WHOLE)
#define PM_TRANSFORM_CLASS_EXPORT PM_EXPORT
#define PM_TRANSFORM_ELEMENT_EXPORT
#elif defined(PM_TRANSFORM_EXPORT_ELEMENT_ACCESS)
#define PM_TRANSFORM_CLASS_EXPORT
#define PM_TRANSFORM_ELEMENT_EXPORT PM_EXPORT
#else
#define PM_TRANSFORM_CLASS_EXPORT
#define PM_TRANSFORM_ELEMENT_EXPORT
#endif

// Points and vectors: exported by the builds that offer them to the client.
#if defined(PM_POINTS_EXPORTED)
#define PM_POINTS_EXPORT PM_EXPORT
#else
#define PM_POINTS_EXPORT
#endif
