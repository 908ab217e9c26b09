/* Resource identifiers, shared by the resource script and the code. */
#ifndef BRIMLOW_RESOURCE_IDS_H
#define BRIMLOW_RESOURCE_IDS_H

#define IDI_BRIMLOW 1
#define IDB_TOOLBAR 101
#define IDB_BANNER 102
#define IDB_DIGITS 103
#define IDB_APPTOOLS 104

#endif
