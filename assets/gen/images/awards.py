"""Pictures of the awards group."""


def images():
    return {}
