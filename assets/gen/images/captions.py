"""Pictures of the captions group."""


def images():
    return {}
